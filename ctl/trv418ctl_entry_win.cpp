// trv418ctl.exe: a console program. Everything it does is ctl::run; this file
// hands it the system's HID stack, files, str.ini and pointer settings, as
// TRV418.exe's own adapters reach them.

#include <windows.h>

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "config/settings_file_paths.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "ctl/ctl_runner.h"
#include "ctl/program_notice_win.h"
#include "window/system_error_text.h"
#include "device/hid_backend.h"
#include "perf/system_pointer_win.h"

int wmain(int argc, wchar_t** argv) {
    // Labels and paths in any language reach the console as they are.
    ::SetConsoleOutputCP(CP_UTF8);

    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));

    const std::u16string executable = trv::win::executablePath();
    const std::unique_ptr<trv::HidSystem> hid =
        trv::makeHidSystem(trv::settingsFilePaths(executable).folder);
    trv::SleepingClock clock;
    trv::win::WinSettingsFileSystem files;
    trv::Win32SystemPointer pointer;
    const trv::ctl::Services services{*hid,
                                      clock,
                                      files,
                                      [](const std::u16string& path) {
                                          return std::make_unique<trv::win::WinProfileStore>(path);
                                      },
                                      pointer,
                                      [] { return static_cast<std::int64_t>(std::time(nullptr)); },
                                      [] { trv::ctl::tellRunningProgram(); },
                                      executable,
                                      trv::win::systemErrorText};

    const int code = trv::ctl::run(args, services, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
