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

#include "app/hid_mouse_dlg_win.h"

namespace trv {

namespace {

constexpr DWORD kAllCommonControlClasses = 0xFF;

// The main window's class is the system dialog class under a name of our own,
// so that other programs (and a second copy of this one) can find the window.
bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (!::GetClassInfoW(nullptr, WC_DIALOG, &wc)) return false;
    wc.lpszClassName = kMainWindowClass;
    wc.hInstance = instance;
    return ::RegisterClassW(&wc) != 0;
}

}  // namespace

BOOL CHidMouseApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), kAllCommonControlClasses};
    ::InitCommonControlsEx(&controls);

    if (!registerMainWindowClass(instance())) return FALSE;

    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, codecs on
    gdiplusStarted_ = Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) == Gdiplus::Ok;

    {
        CHidMouseDlg mainWindow(instance());
        mainWindow.DoModal();
    }
    return FALSE;
}

int CHidMouseApp::ExitInstance() {
    if (gdiplusStarted_) Gdiplus::GdiplusShutdown(gdiplusToken_);
    gdiplusStarted_ = false;
    return win::WinApp::ExitInstance();
}

}  // namespace trv
