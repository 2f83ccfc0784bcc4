#pragma once
// The thin dialog framework the program's windows stand on:
//  - WinApp: the application object, with InitInstance / ExitInstance;
//  - Dialog: a window made from a dialog template, run modally by a message
//    loop of its own that offers every message to PreTranslateMessage before
//    IsDialogMessage and dispatch (DialogBoxParam offers no such hook);
//  - MappedDialog<Derived>: per-class message maps, one handler per message or
//    per control notification, looked up in a table the class provides.
// A handler returns the message's result, or std::nullopt to let the system's
// default dialog handling run.

#include <windows.h>

#include <optional>
#include <span>

namespace trv::win {

class WinApp {
  public:
    explicit WinApp(HINSTANCE instance) : instance_(instance) {}
    virtual ~WinApp() = default;
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // FALSE ends the application after ExitInstance, as the framework does for
    // dialog-based programs whose modal main window returned.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return exitCode_; }

    // Runs the application: InitInstance, a message loop if it returned TRUE,
    // then ExitInstance. Returns the process exit code.
    int Run();

    HINSTANCE instance() const { return instance_; }

  protected:
    int exitCode_ = 0;

  private:
    HINSTANCE instance_;
};

class Dialog {
  public:
    Dialog(HINSTANCE instance, UINT templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window from its template and runs it until EndDialog;
    // returns EndDialog's result, or -1 when the window could not be made.
    INT_PTR DoModal();
    // The system's error number when the last DoModal could not make the
    // window (0 when the system set none); nothing when it made it.
    std::optional<DWORD> creationError() const { return creationError_; }
    void EndDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HINSTANCE instance() const { return instance_; }

  protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // TRUE when the message was consumed and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* /*msg*/) { return FALSE; }
    virtual std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    UINT templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
    std::optional<DWORD> creationError_;
};

// One row of a message map. A row with a command id matches WM_COMMAND from
// that id (and, when notifyCode is set, only that notification).
template <typename Derived>
struct MessageEntry {
    using Handler = std::optional<LRESULT> (Derived::*)(WPARAM, LPARAM);
    UINT message;
    UINT commandId;
    std::optional<UINT> notifyCode;
    Handler handler;
};

template <typename Derived>
constexpr MessageEntry<Derived> onMessage(UINT message,
                                          typename MessageEntry<Derived>::Handler handler) {
    return {message, 0, std::nullopt, handler};
}

template <typename Derived>
constexpr MessageEntry<Derived> onCommand(UINT id,
                                          typename MessageEntry<Derived>::Handler handler) {
    return {WM_COMMAND, id, std::nullopt, handler};
}

template <typename Derived>
constexpr MessageEntry<Derived> onNotify(UINT id, UINT code,
                                         typename MessageEntry<Derived>::Handler handler) {
    return {WM_COMMAND, id, code, handler};
}

// Looks a message up in a message map; nothing when no row matches.
template <typename Self>
std::optional<LRESULT> dispatchByMap(Self* self, std::span<const MessageEntry<Self>> map,
                                     UINT message, WPARAM wParam, LPARAM lParam) {
    for (const MessageEntry<Self>& entry : map) {
        if (entry.message != message) continue;
        if (message == WM_COMMAND) {
            if (LOWORD(wParam) != entry.commandId) continue;
            if (entry.notifyCode && HIWORD(wParam) != *entry.notifyCode) continue;
        }
        return (self->*entry.handler)(wParam, lParam);
    }
    return std::nullopt;
}

// A dialog whose handlers come from Derived::messageMap(), a span of entries.
template <typename Derived>
class MappedDialog : public Dialog {
  public:
    using Dialog::Dialog;

  protected:
    std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return dispatchByMap(static_cast<Derived*>(this),
                             std::span<const MessageEntry<Derived>>(Derived::messageMap()), message,
                             wParam, lParam);
    }
};

}  // namespace trv::win
