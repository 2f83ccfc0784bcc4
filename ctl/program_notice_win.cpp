#include "ctl/program_notice_win.h"

#include <windows.h>

#include "settings/running_program.h"

namespace trv::ctl {

void tellRunningProgram() {
    const UINT message = ::RegisterWindowMessageW(kSettingsChangedMessageName);
    if (message == 0) return;
    // One copy runs at a time, but a second one lives briefly until it finds
    // the first; every window of the class is told.
    HWND window = nullptr;
    while ((window = ::FindWindowExW(HWND_DESKTOP, window, kMainWindowClass, nullptr)) != nullptr) {
        ::PostMessageW(window, message, 0, 0);
    }
}

}  // namespace trv::ctl
