#pragma once
// How other processes reach a running TRV418.exe: its main window's class
// name, and the registered message that says the settings were changed from
// outside (posted without parameters, after the mouse, config.bin or str.ini
// changed). A registered message gives both programs the same number, and no
// other program's private message is taken for it.

namespace trv {

inline constexpr wchar_t kMainWindowClass[] = L"Trv418GmClass";
inline constexpr wchar_t kSettingsChangedMessageName[] = L"TRV418.SettingsChanged";

}  // namespace trv
