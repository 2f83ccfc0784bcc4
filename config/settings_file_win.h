#pragma once
// config.bin's file operations on the Win32 API, and the executable's own path
// from which every file beside it is found.

#include <functional>
#include <string>

#include "config/settings_file.h"

namespace trv::win {

// The running executable's full path, however long.
std::u16string executablePath();

// Writes go to "<file>.tmp" beside the file, are flushed to the disk, and then
// moved over the file in one step; a move that another program's open handle
// holds off is tried again for about a second. `beforeReplace` runs once the
// temporary file is complete; when it returns false the save stops there, as
// a crash would.
class WinSettingsFileSystem : public SettingsFileSystem {
  public:
    using BeforeReplace = std::function<bool()>;
    explicit WinSettingsFileSystem(BeforeReplace beforeReplace = {})
        : beforeReplace_(std::move(beforeReplace)) {}

    bool exists(const std::u16string& path) override;
    std::optional<std::vector<std::uint8_t>> readWhole(const std::u16string& path,
                                                       std::size_t sizeLimit) override;
    ReadResult readWithCause(const std::u16string& path, std::size_t sizeLimit) override;
    WriteResult replaceWhole(const std::u16string& path,
                             std::span<const std::uint8_t> bytes) override;
    std::vector<std::u16string> filesIn(const std::u16string& folder,
                                        std::u16string_view suffix) override;
    WriteResult makeFolder(const std::u16string& folder) override;

  private:
    BeforeReplace beforeReplace_;
};

}  // namespace trv::win
