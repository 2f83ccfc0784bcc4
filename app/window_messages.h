#pragma once
// The main window's private messages. WM_SHOW_BALLOON and the settings-changed
// message are also accepted from other processes, which find the window by its
// class name.

#include <windows.h>

#include "settings/running_program.h"

namespace trv {

inline constexpr UINT WM_TRAY_NOTIFY = WM_USER + 1;   // the notification icon's callback
inline constexpr UINT WM_SHOW_BALLOON = WM_USER + 2;  // wParam: balloon code, lParam: argument
// Posted to itself: destroys the lists a choice closed, once the list's own
// notification has returned.
inline constexpr UINT WM_CLOSE_CHOSEN_LISTS = WM_APP + 1;
// Posted to itself by the accessible object: wParam the control (0-based),
// lParam kAccessibleDefaultAction or kAccessibleTakeFocus. It runs after the
// screen reader's call has returned, so that a dialog it opens blocks no one.
inline constexpr UINT WM_ACCESSIBLE_ACTION = WM_APP + 2;
inline constexpr LPARAM kAccessibleDefaultAction = 0;
inline constexpr LPARAM kAccessibleTakeFocus = 1;

inline UINT settingsChangedMessage() {
    return ::RegisterWindowMessageW(kSettingsChangedMessageName);
}

}  // namespace trv
