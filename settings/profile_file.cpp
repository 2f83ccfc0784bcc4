#include "settings/profile_file.h"

#include <algorithm>

#include "config/block_backup.h"
#include "config/profile_store_text.h"

namespace trv {

ProfileFile readProfileFile(SettingsFileSystem& files, const std::u16string& path) {
    const ReadResult read = files.readWithCause(path, kMaxProfileBytes);
    if (!read.bytes) return {ProfileFileProblem::Unreadable, read.systemError, {}};
    const std::vector<std::uint8_t>& bytes = *read.bytes;
    if (bytes.size() >= backup::kMagic.size() &&
        std::equal(backup::kMagic.begin(), backup::kMagic.end(), bytes.begin())) {
        return {ProfileFileProblem::Backup, 0, {}};
    }
    return {ProfileFileProblem::None, 0, profile::decode(bytes).text};
}

std::vector<std::uint8_t> profileFileBytes(std::u16string_view text) {
    return profile::encode({profile::Encoding::Utf8WithBom, std::u16string(text)});
}

}  // namespace trv
