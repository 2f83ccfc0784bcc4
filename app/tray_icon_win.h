#pragma once
// The notification-area icon of the main window: added once, modified for
// every balloon, removed on exit, and added again when the shell restarts.

#include <windows.h>
#include <shellapi.h>

#include <string_view>

#include "app/window_messages.h"

namespace trv {

// Shell_NotifyIconW, the one way the icon reaches the shell; tests put a shell
// of their own in its place.
class NotifyIconShell {
  public:
    virtual ~NotifyIconShell() = default;
    virtual bool notify(DWORD message, NOTIFYICONDATAW& data) = 0;
};

NotifyIconShell& systemNotifyIconShell();

class TrayIcon {
  public:
    static constexpr UINT kCallbackMessage = WM_TRAY_NOTIFY;

    explicit TrayIcon(NotifyIconShell& shell = systemNotifyIconShell()) : shell_(shell) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { remove(); }

    bool add(HWND owner, HICON icon, std::wstring_view tip);
    // After "TaskbarCreated": the new shell has no icons; add ours again.
    bool readd();
    bool showBalloon(std::wstring_view text, std::wstring_view title, UINT timeoutMs);
    // Takes the icon away whenever an add was tried, even one the shell said
    // failed: the shell may have put it in all the same.
    void remove();
    bool added() const { return added_; }

  private:
    bool put(NOTIFYICONDATAW& data);

    NotifyIconShell& shell_;
    NOTIFYICONDATAW data_{};
    bool added_ = false;
    bool mayBeShown_ = false;  // an add was tried since the last removal
};

}  // namespace trv
