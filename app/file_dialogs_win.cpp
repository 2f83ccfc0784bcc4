#include "app/file_dialogs_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace trv {

namespace {

// Long enough for any path Windows can name.
constexpr std::size_t kPathCapacity = 32768;

FileDialogResult ask(const FileDialogArgs& args, bool save) {
    // "Name (*.ext)", then the pattern, each ended by a zero, and a zero more.
    std::wstring filter = args.filterName;
    filter.push_back(L'\0');
    filter += L"*." + args.extension;
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    std::vector<wchar_t> path(kPathCapacity, L'\0');
    args.name.copy(path.data(), std::min(args.name.size(), kPathCapacity - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = args.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = args.folder.empty() ? nullptr : args.folder.c_str();
    dialog.lpstrTitle = args.title.c_str();
    dialog.lpstrDefExt = args.extension.c_str();
    // The program's working folder is not the dialog's to change.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (chosen) return {std::wstring(path.data()), nullptr, 0};
    const DWORD error = ::CommDlgExtendedError();
    if (error == 0) return {};  // cancelled
    return {std::nullopt, save ? "GetSaveFileNameW" : "GetOpenFileNameW", error};
}

}  // namespace

FileDialogResult askSaveFile(const FileDialogArgs& args) {
    return ask(args, true);
}

FileDialogResult askOpenFile(const FileDialogArgs& args) {
    return ask(args, false);
}

}  // namespace trv
