#pragma once
// The main window's accessible object (Microsoft Active Accessibility): the
// page's controls as its simple children, numbered 1..n in the focus order.
// It decides nothing: every name, role, state, value and place comes from the
// model through the window, and a default action is posted to the window,
// which runs it as the control's key press once the caller has its answer.
// The window itself (the client area as a whole, its parent, its frame) is
// answered by the system's own object for it.

#include <windows.h>
#include <oleacc.h>

#include <optional>

#include "ui/page_access.h"
#include "window/com.h"

namespace trv {

// {618736E0-3C3D-11CF-810C-00AA00389B71}: liboleacc.a's IID_IAccessible is an
// import stub under static linking, not the GUID.
inline constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class AccessiblePage {
  public:
    virtual int controlCount() const = 0;
    virtual ui::AccessibleControl control(int index) const = 0;  // 0-based
    virtual RECT screenRect(const ui::Rect& pageRect) const = 0;
    // The control with the keyboard focus, when the window has it.
    virtual std::optional<int> focusedControl() const = 0;
    virtual void doDefaultAction(int index) = 0;
    virtual void takeFocus(int index) = 0;

  protected:
    ~AccessiblePage() = default;
};

// The window's one accessible object, made at the first request. Clients may
// hold it after the window is gone: it is cut off from the window then, and
// answers every call with CO_E_OBJNOTCONNECTED.
class PageAccessibleOwner {
  public:
    PageAccessibleOwner(HWND window, AccessiblePage& page) : window_(window), page_(page) {}
    PageAccessibleOwner(const PageAccessibleOwner&) = delete;
    PageAccessibleOwner& operator=(const PageAccessibleOwner&) = delete;
    ~PageAccessibleOwner();

    // The answer to WM_GETOBJECT; nothing for an object id other than the client's.
    std::optional<LRESULT> answer(WPARAM wParam, LPARAM lParam);

  private:
    HWND window_;
    AccessiblePage& page_;
    // COM goes after the object, which its destruction releases first.
    std::optional<win::ComScope> com_;
    win::ComRef<IAccessible> object_;
};

}  // namespace trv
