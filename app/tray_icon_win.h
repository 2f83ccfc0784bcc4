#pragma once
// The notification-area icon of the main window: added once, modified for
// every balloon, removed on exit, and added again when the shell restarts.

#include <windows.h>
#include <shellapi.h>

#include <string_view>

#include "app/window_messages.h"

namespace trv {

class TrayIcon {
  public:
    static constexpr UINT kCallbackMessage = WM_TRAY_NOTIFY;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { remove(); }

    bool add(HWND owner, HICON icon, std::wstring_view tip);
    // After "TaskbarCreated": the new shell has no icons; add ours again.
    bool readd();
    bool showBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs);
    void remove();
    bool added() const { return added_; }

  private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace trv
