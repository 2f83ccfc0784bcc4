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

}  // namespace trv
