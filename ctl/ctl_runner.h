#pragma once
// trv418ctl: status, backup and restore of the mouse's configuration block,
// config.bin as a readable profile and back, and the apply of TRV418.exe's OK
// without its window. The whole tool is this one call, so that it runs the
// same against the real HID stack, the virtual mouse and a test's folders.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>

#include "config/profile_store.h"
#include "config/settings_file.h"
#include "device/hid_system.h"
#include "device/transfer.h"
#include "perf/system_pointer.h"

namespace trv::ctl {

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kUsage = 1;
inline constexpr int kMouseNotFound = 2;
inline constexpr int kTransferFailed = 3;  // the mouse refused a transfer or one failed
inline constexpr int kFileInvalid =
    4;  // damaged, another format or device, a profile with problems
inline constexpr int kVerificationFailed = 5;  // the mouse holds other bytes than were written
inline constexpr int kFileAccess = 6;          // a file could not be read or written
}  // namespace exit_code

struct Services {
    HidSystem& hid;  // the machine's; --virtual puts the virtual mouse in its place
    Clock& clock;    // the pauses of a write
    SettingsFileSystem& files;
    // str.ini as TRV418.exe reads and writes it.
    std::function<std::unique_ptr<ProfileStore>(const std::u16string& path)> openProfileStore;
    SystemPointer& pointer;
    std::function<std::int64_t()> secondsSinceEpoch;  // UTC, for a backup's date
    // Tells a running TRV418.exe that the mouse, config.bin or str.ini
    // changed, so that it reloads them; empty or a no-op where none can run.
    std::function<void()> settingsChanged;
    std::u16string executablePath;  // config.bin and str.ini lie beside it
    // The system's own words for an error number ("Access is denied."); empty
    // when it has none.
    std::function<std::u16string(std::uint32_t)> systemErrorText;
};

// `args` without the program's name. Results go to `out`, messages to `err`,
// both UTF-8. Returns the exit code.
int run(std::span<const std::u16string> args, const Services& services, std::ostream& out,
        std::ostream& err);

}  // namespace trv::ctl
