#include "settings/settings_files_update.h"

#include <utility>
#include <vector>

#include "config/portable_profile_store.h"
#include "config/profile_store_text.h"
#include "config/text_profile_store.h"

namespace trv {

namespace {

// A damaged config.bin of another size is still put back as it was.
constexpr std::size_t kMaxOldConfigBin = 1024 * 1024;

FilesUpdateResult failed(const std::u16string& path, bool reading, std::uint32_t error) {
    return {false, path, reading, error};
}

}  // namespace

FilesUpdateResult updateSettingsFiles(SettingsFileSystem& files, const SettingsFilePaths& paths,
                                      const FilesUpdate& update) {
    std::optional<std::vector<std::uint8_t>> strIni;
    if (update.editStrIni) {
        profile::Document document;  // a new str.ini is UTF-16, as the program makes it
        if (files.exists(paths.strIni)) {
            const ReadResult old =
                files.readWithCause(paths.strIni, PortableProfileStore::kMaxFileBytes);
            if (!old.bytes) return failed(paths.strIni, true, old.systemError);
            document = profile::decode(*old.bytes);
        }
        TextProfileStore edited(document.text);
        update.editStrIni(edited);
        strIni = profile::encode(document);
    }
    std::optional<std::vector<std::uint8_t>> oldConfigBin;
    if (update.configBin) {
        if (files.exists(paths.configBin)) {
            ReadResult old = files.readWithCause(paths.configBin, kMaxOldConfigBin);
            if (!old.bytes) return failed(paths.configBin, true, old.systemError);
            oldConfigBin = std::move(old.bytes);
        }
        const WriteResult written = files.replaceWhole(paths.configBin, *update.configBin);
        if (!written.written) return failed(paths.configBin, false, written.systemError);
    }
    if (strIni) {
        const WriteResult written = files.replaceWhole(paths.strIni, *strIni);
        if (!written.written) {
            if (oldConfigBin) files.replaceWhole(paths.configBin, *oldConfigBin);
            return failed(paths.strIni, false, written.systemError);
        }
    }
    return {};
}

}  // namespace trv
