#pragma once
// config.bin and str.ini's labels changed together, for the tool: both files
// are made in memory first, each is then replaced whole, and when the second
// cannot be, the first gets its old bytes back. A failed command therefore
// leaves both files as they were.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "config/profile_store.h"
#include "config/settings_file.h"
#include "config/settings_file_paths.h"

namespace trv {

struct FilesUpdate {
    std::optional<std::array<std::uint8_t, settings_file::kSize>> configBin;
    // Edits str.ini's text (through the profile rules); none leaves it alone.
    std::function<void(ProfileStore&)> editStrIni;
};

struct FilesUpdateResult {
    bool done = true;
    std::u16string failedPath;  // the file that could not be read or written
    bool reading = false;       // it could not be read, rather than written
    std::uint32_t systemError = 0;
};

FilesUpdateResult updateSettingsFiles(SettingsFileSystem& files, const SettingsFilePaths& paths,
                                      const FilesUpdate& update);

}  // namespace trv
