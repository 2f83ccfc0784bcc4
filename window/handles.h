#pragma once
// RAII owners for the Win32 handles the program holds. Each owner closes its
// handle with the one function that matches how the handle was obtained.

#include <windows.h>

#include <utility>

namespace trv::win {

template <typename Traits>
class Owned {
  public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle h) : handle_(h) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle h = Traits::invalid()) {
        Handle old = std::exchange(handle_, h);
        if (old != Traits::invalid()) Traits::close(old);
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {  // CreateFileW: failure is INVALID_HANDLE_VALUE
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::CloseHandle(h); }
};
struct KernelHandleTraits {  // CreateMutexW and friends: failure is null
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::CloseHandle(h); }
};
template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {  // CreateCompatibleDC
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::DeleteDC(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::DestroyMenu(h); }
};
struct IconTraits {  // only for icons that were created or loaded with LR_SHARED off
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::DestroyIcon(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::UnhookWindowsHookEx(h); }
};
struct DeviceNotifyTraits {
    using Handle = HDEVNOTIFY;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::UnregisterDeviceNotification(h); }
};

struct WindowTraits {  // a child window the program made and destroys
    using Handle = HWND;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) {
        if (::IsWindow(h)) ::DestroyWindow(h);
    }
};

using FileHandle = Owned<FileHandleTraits>;
using KernelHandle = Owned<KernelHandleTraits>;
using Bitmap = Owned<GdiObjectTraits<HBITMAP>>;
using Font = Owned<GdiObjectTraits<HFONT>>;
using Brush = Owned<GdiObjectTraits<HBRUSH>>;
using MemoryDc = Owned<MemoryDcTraits>;
using Menu = Owned<MenuTraits>;
using Icon = Owned<IconTraits>;
using Hook = Owned<HookTraits>;
using DeviceNotification = Owned<DeviceNotifyTraits>;
using ChildWindow = Owned<WindowTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a context for one scope and puts the old one back.
class SelectObjectScope {
  public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace trv::win
