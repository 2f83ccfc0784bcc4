#pragma once
// config.bin's file operations on the standard library's files, for the tools
// and the tests on any platform. The program itself uses the Win32 ones.

#include <functional>

#include "config/settings_file.h"

namespace trv {

// Writes the bytes to a temporary file beside `path`, then renames it over the
// file. `beforeReplace` runs once the temporary file is complete; when it
// returns false the save stops there, as a crash would, and the file keeps its
// old bytes. Not written = systemError holds the cause's errno value.
WriteResult replaceFileAtomically(const std::u16string& path, std::span<const std::uint8_t> bytes,
                                  const std::function<bool()>& beforeReplace = {});

// The file's bytes, or nothing when it cannot be read as a regular file or
// holds more than sizeLimit bytes.
std::optional<std::vector<std::uint8_t>> readFileWhole(const std::u16string& path,
                                                       std::size_t sizeLimit);

bool fileExists(const std::u16string& path);

class DiskSettingsFileSystem : public SettingsFileSystem {
  public:
    using BeforeReplace = std::function<bool()>;
    explicit DiskSettingsFileSystem(BeforeReplace beforeReplace = {})
        : beforeReplace_(std::move(beforeReplace)) {}

    bool exists(const std::u16string& path) override { return fileExists(path); }
    std::optional<std::vector<std::uint8_t>> readWhole(const std::u16string& path,
                                                       std::size_t sizeLimit) override {
        return readFileWhole(path, sizeLimit);
    }
    WriteResult replaceWhole(const std::u16string& path,
                             std::span<const std::uint8_t> bytes) override {
        return replaceFileAtomically(path, bytes, beforeReplace_);
    }
    std::vector<std::u16string> filesIn(const std::u16string& folder,
                                        std::u16string_view suffix) override;
    WriteResult makeFolder(const std::u16string& folder) override;

  private:
    BeforeReplace beforeReplace_;
};

}  // namespace trv
