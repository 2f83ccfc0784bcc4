#pragma once
// Drives a modal window from inside its own message loop: steps run on the
// test's thread, one per timer tick, while the window under test runs as it
// would for a user. Pointer and keys go through SendInput, the system's real
// input path, so hooks, hover tracking and focus all take part.

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace trv::testing {

class UiScript {
  public:
    // A step returns false to be run again on the next tick (waiting for
    // something to appear); after too many ticks the script gives up.
    using Step = std::function<bool()>;

    explicit UiScript(std::vector<Step> steps, UINT tickMs = 80) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, tickMs, &UiScript::tick);
    }
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;
    ~UiScript() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
        EXPECT_EQ(next_, steps_.size()) << "the window ended before its script did";
    }

  private:
    static constexpr int kPatience = 40;  // ticks one step may wait

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        UiScript* self = current_;
        if (!self || self->running_) return;  // a step's own message loop ticks too
        self->running_ = true;
        self->advance();
        self->running_ = false;
    }

    void advance() {
        if (next_ >= steps_.size()) {
            // Every step ran but the window is still open: close it, or the test hangs.
            if (++overtime_ == kPatience) {
                ADD_FAILURE() << "the window stayed open after its script";
                closeAll();
            }
            return;
        }
        if (steps_[next_]()) {
            ++next_;
            waited_ = 0;
        } else if (++waited_ == kPatience) {
            ADD_FAILURE() << "step " << next_ << " waited in vain";
            next_ = steps_.size();
            closeAll();
        }
    }

    static void closeAll() {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM) -> BOOL {
                // Hidden ones too: a dialog may be stuck before it shows.
                wchar_t cls[16] = {};
                ::GetClassNameW(w, cls, 16);
                if (std::wstring(cls) == L"#32770") ::PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            },
            0);
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int waited_ = 0;
    int overtime_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
    static inline UiScript* current_ = nullptr;
};

// A visible dialog window of this thread: the one without an owner, or a
// message box, which has one (a dialog can show one before it shows itself).
inline HWND visibleDialog(bool owned) {
    struct Search {
        bool owned;
        HWND found;
    } search{owned, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t cls[16] = {};
            ::GetClassNameW(w, cls, 16);
            if (::IsWindowVisible(w) && std::wstring(cls) == L"#32770" &&
                (::GetWindow(w, GW_OWNER) != nullptr) == s->owned) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
inline HWND ownDialog() {
    return visibleDialog(false);
}
inline HWND messageBox() {
    return visibleDialog(true);
}

// Lets input still on its way from an earlier test arrive and go.
inline void drainInput() {
    MSG msg;
    for (int i = 0; i < 5; ++i) {
        ::Sleep(20);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
}

inline std::wstring windowText(HWND w) {
    wchar_t text[256] = {};
    ::GetWindowTextW(w, text, 256);
    return text;
}

// The text of a message box: its static control with the message.
inline std::wstring messageBoxText(HWND box) {
    return windowText(::GetDlgItem(box, 0xFFFF));
}

inline void sendInputs(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Moves the pointer to a point of a window's client area.
inline void pointAt(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(p.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    sendInputs({in});
}

inline void leftClick() {
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    sendInputs({down, up});
}

inline void clickAt(HWND window, int x, int y) {
    pointAt(window, x, y);
    leftClick();
}

inline void wheel(bool awayFromUser) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(awayFromUser ? WHEEL_DELTA : -WHEEL_DELTA);
    sendInputs({in});
}

// A key press or release with its scan code, as a keyboard would send it.
inline INPUT keyEvent(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    const bool extended = vk == VK_LWIN || vk == VK_RWIN || vk == VK_RCONTROL || vk == VK_RMENU ||
                          (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

inline void pressKey(WORD vk) {
    sendInputs({keyEvent(vk, true), keyEvent(vk, false)});
}

inline void typeText(const std::wstring& digits) {
    for (wchar_t c : digits) pressKey(static_cast<WORD>(c));
}

// A pixel of a window's client area as the screen shows it.
inline COLORREF pixelOf(HWND window, int x, int y) {
    HDC dc = ::GetDC(window);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return c;
}

inline SIZE clientSize(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace trv::testing
