#pragma once
// config.bin: the first-run flag byte followed by the settings record, 191
// bytes with no header. A file of any other size is ignored, and a save never
// creates the file: an installer puts it there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_record.h"

namespace trv {

namespace settings_file {
inline constexpr std::size_t kFirstRunFlag = 0;
inline constexpr std::size_t kRecord = 1;
inline constexpr std::size_t kSize = kRecord + rec::kSize;
// What every save writes as the first-run flag: settings have been applied.
inline constexpr std::uint8_t kApplied = 1;
}  // namespace settings_file

struct WriteResult {
    bool written = false;
    std::uint32_t systemError = 0;  // the OS's error number when not written
};

struct ReadResult {
    std::optional<std::vector<std::uint8_t>> bytes;  // none: not read
    // The OS's error number when not read; 0 when the file is larger than
    // asked for, or when the file system cannot tell.
    std::uint32_t systemError = 0;
};

// The few file operations config.bin needs, so that the rules above can run
// on the Win32 API, on std::filesystem, or on a test's files.
class SettingsFileSystem {
  public:
    virtual ~SettingsFileSystem() = default;
    virtual bool exists(const std::u16string& path) = 0;
    // The file's bytes, or nothing when it cannot be read or holds more than
    // sizeLimit bytes (a larger file is never read whole).
    virtual std::optional<std::vector<std::uint8_t>> readWhole(const std::u16string& path,
                                                               std::size_t sizeLimit) = 0;
    // The same, with the cause of a failed read, for those who tell the user
    // why (access denied wants other advice than a damaged disk).
    virtual ReadResult readWithCause(const std::u16string& path, std::size_t sizeLimit) {
        return {readWhole(path, sizeLimit), 0};
    }
    // Gives the file exactly these bytes, all at once: whatever happens, the
    // file holds either its old bytes or the new ones, and no temporary file
    // is left behind by a failure.
    virtual WriteResult replaceWhole(const std::u16string& path,
                                     std::span<const std::uint8_t> bytes) = 0;
    // The names of the files in `folder` (ending in its separator) whose
    // names end in `suffix`, ASCII case ignored; none when there is no such
    // folder. Folders are not listed.
    virtual std::vector<std::u16string> filesIn(const std::u16string& folder,
                                                std::u16string_view suffix) {
        (void)folder, (void)suffix;
        return {};
    }
    // Makes the folder when it is missing (its parent must exist); written
    // when it is there afterwards.
    virtual WriteResult makeFolder(const std::u16string& folder) {
        (void)folder;
        return {false, 0};
    }
};

// Whether a file name ends in `suffix`, ASCII case ignored.
bool nameEndsWith(std::u16string_view name, std::u16string_view suffix);

// config.bin's bytes for a flag and a record.
std::array<std::uint8_t, settings_file::kSize> settingsFileBytes(std::uint8_t firstRunFlag,
                                                                 const SettingsRecord& record);

// How a load or save of config.bin ended.
enum class SettingsFileStatus : std::uint8_t {
    Done,
    Missing,      // the program never creates config.bin
    Unusable,     // unreadable or of another size: nothing was loaded
    WriteFailed,  // the old contents are still there
};

struct SettingsFileResult {
    SettingsFileStatus status = SettingsFileStatus::Done;
    std::uint32_t systemError = 0;  // with WriteFailed
};

// Fills the flag and the record from config.bin. A file that is missing,
// cannot be read or has the wrong size leaves both as they were.
SettingsFileResult LoadSettingsFile(SettingsFileSystem& files, const std::u16string& configBinPath,
                                    std::uint8_t& firstRunFlag, SettingsRecord& record);

// Writes the applied flag and the record over an existing config.bin. The
// caller's first-run flag stays as loaded: the first run lasts until the
// process ends.
SettingsFileResult SaveSettingsFile(SettingsFileSystem& files, const std::u16string& configBinPath,
                                    const SettingsRecord& record);

// What the user is told of a result: a text and a caption (empty: no
// caption); nothing when there is nothing to say.
struct SettingsFileMessage {
    std::u16string text;
    std::u16string_view caption;
};
std::optional<SettingsFileMessage> settingsFileMessage(const SettingsFileResult& result);

}  // namespace trv
