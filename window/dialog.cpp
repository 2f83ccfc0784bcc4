#include "window/dialog.h"

namespace trv::win {

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool returnsResultDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

int WinApp::Run() {
    if (!InitInstance()) return ExitInstance();
    MSG msg{};
    BOOL got = 0;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // Only WM_QUIT carries an exit code; after a failed GetMessageW the
    // message is undefined.
    if (got == 0) exitCode_ = static_cast<int>(msg.wParam);
    return ExitInstance();
}

Dialog::Dialog(HINSTANCE instance, UINT templateId, HWND parent)
    : instance_(instance), templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    // Derived parts are gone by now, so their handlers no longer run; the
    // window detaches itself on WM_NCDESTROY.
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal() {
    ended_ = false;
    result_ = -1;
    creationError_.reset();
    HWND created = ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), parent_,
                                        &Dialog::dialogProc, reinterpret_cast<LPARAM>(this));
    if (!created) {
        creationError_ = ::GetLastError();
        return -1;
    }

    const bool ownerWasEnabled = parent_ && ::IsWindowEnabled(parent_);
    if (ownerWasEnabled) ::EnableWindow(parent_, FALSE);

    MSG msg;
    while (!ended_ && ::IsWindow(hwnd_)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to the outer loop; hand it back and leave.
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateMessage(&msg)) continue;
        if (::IsDialogMessageW(hwnd_, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (ownerWasEnabled) {
        ::EnableWindow(parent_, TRUE);
        ::SetActiveWindow(parent_);
    }
    // WM_DESTROY still reaches the message map; the window detaches itself on
    // WM_NCDESTROY, its last message.
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    // Wake the loop if it is waiting, so the end takes effect at once.
    if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

std::optional<LRESULT> Dialog::dispatch(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    std::optional<LRESULT> result = dispatch(message, wParam, lParam);
    if (!result) return FALSE;
    if (returnsResultDirectly(message)) return static_cast<INT_PTR>(*result);
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *result);
    return TRUE;
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->handle(message, wParam, lParam);
}

}  // namespace trv::win
