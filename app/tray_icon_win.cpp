#include "app/tray_icon_win.h"

#include <algorithm>

namespace trv {

namespace {

template <std::size_t N>
void copyTruncated(wchar_t (&field)[N], std::wstring_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, field);
    field[n] = L'\0';
}

class SystemShell final : public NotifyIconShell {
  public:
    bool notify(DWORD message, NOTIFYICONDATAW& data) override {
        return ::Shell_NotifyIconW(message, &data) != FALSE;
    }
};

}  // namespace

NotifyIconShell& systemNotifyIconShell() {
    static SystemShell shell;
    return shell;
}

bool TrayIcon::put(NOTIFYICONDATAW& data) {
    mayBeShown_ = true;
    if (shell_.notify(NIM_ADD, data)) return true;
    // While the shell starts (at log-on) an add can time out and report a
    // failure although the icon went in; one that takes a change is there.
    // An add refused because the icon is there already ends the same way.
    return shell_.notify(NIM_MODIFY, data);
}

bool TrayIcon::add(HWND owner, HICON icon, std::wstring_view tip) {
    data_ = NOTIFYICONDATAW{};
    // The structure with balloon fields and item GUID; on x64 that is 976 bytes.
    data_.cbSize = sizeof(NOTIFYICONDATAW);
    data_.hWnd = owner;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon;
    copyTruncated(data_.szTip, tip);
    added_ = put(data_);
    return added_;
}

bool TrayIcon::readd() {
    if (!data_.hWnd) return false;
    NOTIFYICONDATAW fresh = data_;
    fresh.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    added_ = put(fresh);
    return added_;
}

bool TrayIcon::showBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs) {
    if (!data_.hWnd) return false;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    copyTruncated(data_.szInfo, text);
    copyTruncated(data_.szInfoTitle, title);
    data_.uTimeout = timeoutMs;
    data_.dwInfoFlags = NIIF_INFO;
    return shell_.notify(NIM_MODIFY, data_);
}

void TrayIcon::remove() {
    if (!mayBeShown_) return;
    shell_.notify(NIM_DELETE, data_);
    mayBeShown_ = false;
    added_ = false;
}

}  // namespace trv
