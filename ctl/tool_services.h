#pragma once
// What the settings core reaches the world through, as the command-line tool
// provides it: for a dry run or --no-pointer, files, str.ini and pointer
// settings that are read but not changed.

#include <ostream>
#include <string>
#include <vector>

#include "config/profile_store.h"
#include "config/settings_file.h"
#include "perf/system_pointer.h"

namespace trv::ctl {

// The tool's files: in a dry run nothing is written; what would be is told
// on `report`.
class ToolFiles final : public SettingsFileSystem {
  public:
    ToolFiles(SettingsFileSystem& files, bool dryRun, std::ostream& report)
        : files_(files), dryRun_(dryRun), report_(report) {}

    bool exists(const std::u16string& path) override { return files_.exists(path); }
    std::optional<std::vector<std::uint8_t>> readWhole(const std::u16string& path,
                                                       std::size_t sizeLimit) override {
        return files_.readWhole(path, sizeLimit);
    }
    ReadResult readWithCause(const std::u16string& path, std::size_t sizeLimit) override {
        return files_.readWithCause(path, sizeLimit);
    }
    WriteResult replaceWhole(const std::u16string& path,
                             std::span<const std::uint8_t> bytes) override;

  private:
    SettingsFileSystem& files_;
    bool dryRun_;
    std::ostream& report_;
};

// str.ini read as it is, its writes only told on `report`.
class UnwrittenProfileStore final : public ProfileStore {
  public:
    UnwrittenProfileStore(const ProfileStore& store, std::ostream& report)
        : store_(store), report_(report) {}
    std::u16string read(std::u16string_view section, std::u16string_view key) const override {
        return store_.read(section, key);
    }
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

  private:
    const ProfileStore& store_;
    std::ostream& report_;
};

// The system's pointer settings read as they are and left unchanged; with a
// report stream, what would be set is told there.
class UnchangedPointer final : public SystemPointer {
  public:
    explicit UnchangedPointer(SystemPointer& system, std::ostream* report = nullptr)
        : system_(system), report_(report) {}

    std::optional<MouseParameters> mouseParameters() override { return system_.mouseParameters(); }
    std::optional<int> mouseSpeed() override { return system_.mouseSpeed(); }
    std::optional<std::uint32_t> wheelScrollLines() override { return system_.wheelScrollLines(); }
    std::uint32_t doubleClickTime() override { return system_.doubleClickTime(); }

    bool setMouseParameters(const MouseParameters& p) override;
    bool setMouseSpeed(int speed) override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    bool setDoubleClickTime(std::uint32_t milliseconds) override;

  private:
    void tell(const std::string& what);

    SystemPointer& system_;
    std::ostream* report_;
};

}  // namespace trv::ctl
