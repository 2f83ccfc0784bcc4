#include "config/settings_file_paths.h"

namespace trv {

namespace {

constexpr std::u16string_view kConfigBinName = u"config.bin";
constexpr std::u16string_view kRecordIniName = u"record.ini";
constexpr std::u16string_view kStrIniName = u"str.ini";
constexpr std::u16string_view kSkinsFolder = u"/Skins/";

// Windows accepts both slashes; a drive letter's colon also ends a folder part
// ("C:name" is relative to drive C's current folder).
constexpr std::u16string_view kSeparators = u"\\/:";

std::u16string folderOf(std::u16string_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    if (last == std::u16string_view::npos) return {};
    return std::u16string(path.substr(0, last + 1));
}

}  // namespace

SettingsFilePaths settingsFilePaths(std::u16string_view executablePath) {
    SettingsFilePaths paths;
    paths.folder = folderOf(executablePath);
    paths.configBin = paths.folder + std::u16string(kConfigBinName);
    paths.recordIni = paths.folder + std::u16string(kRecordIniName);
    paths.strIni = paths.folder + std::u16string(kStrIniName);
    return paths;
}

std::u16string skinFolder(const SettingsFilePaths& paths, std::u16string_view skinName) {
    std::u16string folder = paths.folder;
    folder += kSkinsFolder;
    folder += skinName;
    return folder;
}

}  // namespace trv
