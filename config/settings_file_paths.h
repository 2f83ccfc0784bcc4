#pragma once
// Where the program keeps its files: config.bin, str.ini and the skin images
// all live beside the executable.

#include <string>
#include <string_view>

namespace trv {

struct SettingsFilePaths {
    std::u16string folder;  // the executable's folder, ending in its separator (or empty)
    std::u16string configBin;
    std::u16string recordIni;  // named for completeness; nothing reads or writes it
    std::u16string strIni;
};

// The paths beside the executable whose full path is given. Only the file-name
// part is replaced, whatever the executable is called, so a folder whose name
// looks like the executable's is kept and the executable itself is never named:
// an executable that is itself called "config.bin" or "str.ini" gets an empty
// path for that file, which names no file.
SettingsFilePaths settingsFilePaths(std::u16string_view executablePath);

// The paths of a config.bin named by the user, whatever its name: str.ini
// and the rest lie beside it.
SettingsFilePaths settingsFilePathsOfConfig(std::u16string_view configBinPath);

// The folder the skin images are read from: the executable's folder, then
// "/Skins/", then the skin's name from str.ini. Image names are appended with
// their leading slash; the doubled slashes this gives are accepted by Windows.
std::u16string skinFolder(const SettingsFilePaths& paths, std::u16string_view skinName);

}  // namespace trv
