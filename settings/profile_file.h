#pragma once
// A readable profile as a file, read and written the same way by the program
// and the tool: UTF-8 with a byte-order mark when written, any of str.ini's
// encodings when read, and never a backup taken for one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_file.h"
#include "config/settings_file_paths.h"

namespace trv {

inline constexpr std::size_t kMaxProfileBytes = 1024 * 1024;

enum class ProfileFileProblem : std::uint8_t {
    None,
    Unreadable,  // missing, unreadable or larger than kMaxProfileBytes
    Backup,      // a backup of the mouse, which `restore` puts back
};

struct ProfileFile {
    ProfileFileProblem problem = ProfileFileProblem::None;
    std::uint32_t systemError = 0;  // with Unreadable, as the read gave it
    std::u16string text;
};

ProfileFile readProfileFile(SettingsFileSystem& files, const std::u16string& path);

std::vector<std::uint8_t> profileFileBytes(std::u16string_view text);

// The profiles folder: "Profiles" beside config.bin, ending in the folder's
// own separator.
std::u16string profilesFolder(const SettingsFilePaths& paths);
inline constexpr std::u16string_view kProfileExtension = u".ini";
// The profiles in the folder by name (the file name without ".ini"), sorted
// as a person reads a list: letters of either case together.
std::vector<std::u16string> profileNames(SettingsFileSystem& files, const std::u16string& folder);
std::u16string profilePath(const std::u16string& folder, std::u16string_view name);
// Whether the file lies in the folder (ending in its separator), as Windows
// compares paths: either separator, ASCII case ignored.
bool inFolder(std::u16string_view folder, std::u16string_view path);
// The last part of a path, and that without its extension.
std::u16string_view fileNameOf(std::u16string_view path);
std::u16string_view profileNameOf(std::u16string_view path);

}  // namespace trv
