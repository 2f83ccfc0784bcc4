#include "app/hid_mouse_app_win.h"

#include <commctrl.h>
#include <objidl.h>
// GDI+ headers use min and max unqualified.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <optional>
#include <string>

#include "app/hid_mouse_dlg_win.h"
#include "app/start_failure.h"
#include "config/ini_store.h"
#include "config/settings_file_paths.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "window/system_error_text.h"
#include "window/wide.h"

namespace trv {

namespace {

constexpr DWORD kAllCommonControlClasses = 0xFF;
constexpr wchar_t kAppTitle[] = L"TRV418";

StartFailure failedCall(std::u16string_view call) {
    const DWORD error = ::GetLastError();
    return systemStartFailure(call, error, win::systemErrorText(error));
}

// The main window's class is the system dialog class under a name of our own,
// so that other programs (and a second copy of this one) can find the window.
std::optional<StartFailure> registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (!::GetClassInfoW(nullptr, WC_DIALOG, &wc)) return failedCall(u"GetClassInfoW");
    wc.lpszClassName = kMainWindowClass;
    wc.hInstance = instance;
    if (::RegisterClassW(&wc) == 0) return failedCall(u"RegisterClassW");
    return std::nullopt;
}

// Nothing of the main window's settings is read yet; the message still
// speaks the language str.ini names.
Language languageOfStrIni() {
    const win::WinProfileStore strIni(settingsFilePaths(win::executablePath()).strIni);
    return languageFromCode(readLanguageCode(strIni));
}

}  // namespace

BOOL CHidMouseApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), kAllCommonControlClasses};
    ::InitCommonControlsEx(&controls);

    if (const std::optional<StartFailure> failure = registerMainWindowClass(instance())) {
        return failStart(*failure);
    }

    const int gdiplus = startGdiplus(gdiplusToken_);
    gdiplusStarted_ = gdiplus == Gdiplus::Ok;
    // Without GDI+ no skin image loads: the window would be blank.
    if (!gdiplusStarted_) return failStart(gdiplusStartFailure(gdiplus));

    std::optional<DWORD> creationError;
    {
        CHidMouseDlg mainWindow(instance());
        mainWindow.DoModal();
        creationError = mainWindow.creationError();
    }
    if (creationError) {
        return failStart(systemStartFailure(u"CreateDialogParamW", *creationError,
                                            win::systemErrorText(*creationError)));
    }
    return FALSE;
}

int CHidMouseApp::startGdiplus(ULONG_PTR& token) {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, codecs on
    return Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

BOOL CHidMouseApp::failStart(const StartFailure& failure) {
    const std::wstring message = win::toWide(startFailureText(languageOfStrIni(), failure));
    ::MessageBoxW(nullptr, message.c_str(), kAppTitle, MB_OK | MB_ICONERROR);
    exitCode_ = kStartFailedExitCode;
    return FALSE;
}

int CHidMouseApp::ExitInstance() {
    if (gdiplusStarted_) Gdiplus::GdiplusShutdown(gdiplusToken_);
    gdiplusStarted_ = false;
    return win::WinApp::ExitInstance();
}

}  // namespace trv
