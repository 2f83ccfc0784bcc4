#pragma once
// The system's Save and Open dialogs (comdlg32), one call each: what to ask
// in, the chosen path out.

#include <windows.h>

#include <optional>
#include <string>

namespace trv {

struct FileDialogArgs {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring folder;      // where it opens; empty: the system's choice
    std::wstring name;        // the file name it offers
    std::wstring filterName;  // "Profiles (*.ini)"
    std::wstring extension;   // "ini": the filter's, and added to a name typed without one
};

struct FileDialogResult {
    std::optional<std::wstring> path;  // none: cancelled, or failed
    // With a failure (not a cancel): the call and CommDlgExtendedError's code.
    const char* failedCall = nullptr;
    DWORD error = 0;
};

// Asks before a file is replaced.
FileDialogResult askSaveFile(const FileDialogArgs& args);
// Only an existing file is taken.
FileDialogResult askOpenFile(const FileDialogArgs& args);

}  // namespace trv
