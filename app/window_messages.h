#pragma once
// The main window's private messages. WM_SHOW_BALLOON and the settings-changed
// message are also accepted from other processes, which find the window by its
// class name.

#include <windows.h>

namespace trv {

inline constexpr wchar_t kMainWindowClass[] = L"Trv418GmClass";

inline constexpr UINT WM_TRAY_NOTIFY = WM_USER + 1;   // the notification icon's callback
inline constexpr UINT WM_SHOW_BALLOON = WM_USER + 2;  // wParam: balloon code, lParam: argument

// trv418ctl posts this, without parameters, after it changed the mouse,
// config.bin or str.ini. A registered message: both programs get the same
// number, and no other program's WM_USER message is taken for it.
inline constexpr wchar_t kSettingsChangedMessageName[] = L"TRV418.SettingsChanged";
inline UINT settingsChangedMessage() {
    return ::RegisterWindowMessageW(kSettingsChangedMessageName);
}

}  // namespace trv
