#pragma once
// The notification-area icon of the main window: added once, modified for
// every balloon, removed on exit, and added again when the shell restarts.

#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace trv {

class TrayIcon {
  public:
    static constexpr UINT kCallbackMessage = WM_USER + 1;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { remove(); }

    bool add(HWND owner, HICON icon, std::wstring_view tip);
    // After "TaskbarCreated": the new shell has no icons; add ours again.
    bool readd();
    bool showBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs);
    void remove();

  private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace trv
