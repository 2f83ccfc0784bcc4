#include "config/settings_file_paths.h"

#include <algorithm>

#include "config/ascii_case.h"

namespace trv {

namespace {

constexpr std::u16string_view kConfigBinName = u"config.bin";
constexpr std::u16string_view kRecordIniName = u"record.ini";
constexpr std::u16string_view kStrIniName = u"str.ini";
constexpr std::u16string_view kSkinsFolder = u"/Skins/";

// Windows accepts both slashes; a drive letter's colon also ends a folder part
// ("C:name" is relative to drive C's current folder).
constexpr std::u16string_view kSeparators = u"\\/:";

std::size_t fileNameStart(std::u16string_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    return last == std::u16string_view::npos ? 0 : last + 1;
}

// A file beside the executable, unless the executable itself carries that
// name: then there is no such file (an empty path names none).
std::u16string besideExecutable(std::u16string_view executablePath, std::u16string_view name) {
    const std::size_t start = fileNameStart(executablePath);
    if (sameIgnoringAsciiCase(executablePath.substr(start), name)) return {};
    return std::u16string(executablePath.substr(0, start)) + std::u16string(name);
}

}  // namespace

SettingsFilePaths settingsFilePaths(std::u16string_view executablePath) {
    SettingsFilePaths paths;
    paths.folder = std::u16string(executablePath.substr(0, fileNameStart(executablePath)));
    paths.configBin = besideExecutable(executablePath, kConfigBinName);
    paths.recordIni = besideExecutable(executablePath, kRecordIniName);
    paths.strIni = besideExecutable(executablePath, kStrIniName);
    return paths;
}

SettingsFilePaths settingsFilePathsOfConfig(std::u16string_view configBinPath) {
    SettingsFilePaths paths = settingsFilePaths(configBinPath);
    paths.configBin = std::u16string(configBinPath);
    return paths;
}

std::u16string skinFolder(const SettingsFilePaths& paths, std::u16string_view skinName) {
    std::u16string folder = paths.folder;
    folder += kSkinsFolder;
    folder += skinName;
    return folder;
}

}  // namespace trv
