#pragma once
// Opening a file as the signed-in user's desktop would, whatever the rights
// of the program asking.

#include <windows.h>

#include <string>

namespace trv::win {

struct ShellOpen {
    bool opened = false;
    // Opened by the desktop's shell, in the desktop user's own unelevated
    // session; otherwise by this process, with its own rights.
    bool byDesktop = false;
    // The last call that failed on the way: why the desktop did not open the
    // file, or, with opened false, why nothing did. Its HRESULT, or for
    // ShellExecuteW its return value.
    const char* failedCall = nullptr;
    long error = 0;
};

// An elevated program that opens a document itself starts the document's
// program elevated too (a web browser with administrator rights, for one).
// This asks the desktop's shell to open it instead, so that it starts as
// the desktop user without elevation; only when there is no desktop shell to
// ask does the process open it itself with ShellExecuteW's "open".
ShellOpen openAsDesktopUser(HWND owner, const std::wstring& path);

}  // namespace trv::win
