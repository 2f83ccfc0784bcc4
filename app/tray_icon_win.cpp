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

}  // namespace

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
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return added_;
}

bool TrayIcon::readd() {
    if (!data_.hWnd) return false;
    NOTIFYICONDATAW fresh = data_;
    fresh.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    added_ = ::Shell_NotifyIconW(NIM_ADD, &fresh) != FALSE;
    return added_;
}

bool TrayIcon::showBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs) {
    if (!data_.hWnd) return false;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    copyTruncated(data_.szInfo, text);
    copyTruncated(data_.szInfoTitle, title);
    data_.uTimeout = timeoutMs;
    data_.dwInfoFlags = NIIF_INFO;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
}

void TrayIcon::remove() {
    if (!added_) return;
    ::Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

}  // namespace trv
