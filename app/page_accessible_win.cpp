#include "app/page_accessible_win.h"

#include <oleauto.h>

#include <atomic>
#include <string>
#include <utility>

namespace trv {

namespace {

// The system's object for the window: asked for everything about the window
// itself (child id 0), so that its role, name, place and parent are what any
// window's are.
IAccessible* standardClientObject(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, kIidAccessible,
                                           reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

long roleOf(ui::AccessRole role) {
    switch (role) {
        case ui::AccessRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case ui::AccessRole::CheckBox:
            return ROLE_SYSTEM_CHECKBUTTON;
        case ui::AccessRole::RadioButton:
            return ROLE_SYSTEM_RADIOBUTTON;
        case ui::AccessRole::Slider:
            return ROLE_SYSTEM_SLIDER;
        case ui::AccessRole::ComboBox:
            return ROLE_SYSTEM_COMBOBOX;
        case ui::AccessRole::Link:
            return ROLE_SYSTEM_LINK;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

long stateOf(unsigned state) {
    long out = 0;
    const std::pair<unsigned, long> flags[] = {
        {ui::kAccessFocusable, STATE_SYSTEM_FOCUSABLE},
        {ui::kAccessFocused, STATE_SYSTEM_FOCUSED},
        {ui::kAccessChecked, STATE_SYSTEM_CHECKED},
        {ui::kAccessPressed, STATE_SYSTEM_PRESSED},
        {ui::kAccessExpanded, STATE_SYSTEM_EXPANDED},
        {ui::kAccessCollapsed, STATE_SYSTEM_COLLAPSED},
        {ui::kAccessUnavailable, STATE_SYSTEM_UNAVAILABLE},
    };
    for (const auto& [ours, system] : flags) {
        if (state & ours) out |= system;
    }
    return out;
}

HRESULT text(const std::u16string& value, BSTR* out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (value.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.data()),
                               static_cast<UINT>(value.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

class PageAccessible final : public IAccessible {
  public:
    PageAccessible(HWND window, AccessiblePage& page)
        : window_(window), page_(&page), standard_(standardClientObject(window)) {}

    void detach() {
        page_ = nullptr;
        standard_.reset();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            detach();
            delete this;
        }
        return left;
    }

    // IDispatch: screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!page_) return CO_E_OBJNOTCONNECTED;
        return standard_ ? standard_->get_accParent(parent) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        *count = page_->controlCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        // The controls are simple children: the caller asks this object about them.
        return controlOf(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return answer(child, name, &IAccessible::get_accName,
                      [](const ui::AccessibleControl& c) { return c.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return answer(child, value, &IAccessible::get_accValue,
                      [](const ui::AccessibleControl& c) { return c.value; });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return answer(child, out, &IAccessible::get_accDescription,
                      [](const ui::AccessibleControl&) { return std::u16string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return answer(child, action, &IAccessible::get_accDefaultAction,
                      [](const ui::AccessibleControl& c) { return c.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return answer(child, out, &IAccessible::get_accHelp,
                      [](const ui::AccessibleControl&) { return std::u16string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return answer(child, out, &IAccessible::get_accKeyboardShortcut,
                      [](const ui::AccessibleControl&) { return std::u16string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (!page_) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child) && standard_) return standard_->get_accHelpTopic(file, child, topic);
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) return standard_ ? standard_->get_accRole(child, role) : E_FAIL;
        const std::optional<ui::AccessibleControl> c = controlOf(child);
        if (!c) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = roleOf(c->role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) return standard_ ? standard_->get_accState(child, state) : E_FAIL;
        const std::optional<ui::AccessibleControl> c = controlOf(child);
        if (!c) return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = stateOf(c->state) | (::IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        ::VariantInit(focus);
        const std::optional<int> focused = page_->focusedControl();
        if (focused) {
            focus->vt = VT_I4;
            focus->lVal = *focused + 1;
            return S_OK;
        }
        return standard_ ? standard_->get_accFocus(focus) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        ::VariantInit(selection);
        return page_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (!page_) return CO_E_OBJNOTCONNECTED;
        const std::optional<int> index = indexOf(child);
        if (!index)
            return isSelf(child) && standard_ ? standard_->accSelect(flags, child) : E_INVALIDARG;
        if (flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
        page_->takeFocus(*index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) {
            return standard_ ? standard_->accLocation(left, top, width, height, child) : E_FAIL;
        }
        const std::optional<ui::AccessibleControl> c = controlOf(child);
        if (!c) return E_INVALIDARG;
        const RECT r = page_->screenRect(c->rect);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        ::VariantInit(end);
        const int count = page_->controlCount();
        int to = -1;
        if (isSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD)
                to = 0;
            else if (direction == NAVDIR_LASTCHILD)
                to = count - 1;
            else
                return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
        } else {
            const std::optional<int> index = indexOf(start);
            if (!index) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT)
                to = *index + 1;
            else if (direction == NAVDIR_PREVIOUS)
                to = *index - 1;
        }
        if (to < 0 || to >= count) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* found) override {
        if (!found) return E_POINTER;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        ::VariantInit(found);
        const POINT at{x, y};
        for (int i = 0; i < page_->controlCount(); ++i) {
            const RECT r = page_->screenRect(page_->control(i).rect);
            if (::PtInRect(&r, at)) {
                found->vt = VT_I4;
                found->lVal = i + 1;
                return S_OK;
            }
        }
        return standard_ ? standard_->accHitTest(x, y, found) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!page_) return CO_E_OBJNOTCONNECTED;
        const std::optional<ui::AccessibleControl> c = controlOf(child);
        if (!c) return isSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        if (c->defaultAction.empty() || (c->state & ui::kAccessUnavailable)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        page_->doDefaultAction(*indexOf(child));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    static bool isSelf(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }
    std::optional<int> indexOf(const VARIANT& child) const {
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > page_->controlCount()) {
            return std::nullopt;
        }
        return static_cast<int>(child.lVal) - 1;
    }
    std::optional<ui::AccessibleControl> controlOf(const VARIANT& child) const {
        const std::optional<int> index = indexOf(child);
        if (!index) return std::nullopt;
        return page_->control(*index);
    }
    // A text about a control from the model, about the window from the system.
    template <typename Pick>
    HRESULT answer(VARIANT child, BSTR* out,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*), Pick pick) {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!page_) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) return standard_ ? (standard_.get()->*system)(child, out) : S_FALSE;
        const std::optional<ui::AccessibleControl> c = controlOf(child);
        if (!c) return E_INVALIDARG;
        return text(pick(*c), out);
    }

    HWND window_;
    AccessiblePage* page_;
    win::ComRef<IAccessible> standard_;
    std::atomic<ULONG> references_{1};
};

}  // namespace

PageAccessibleOwner::~PageAccessibleOwner() {
    if (object_) static_cast<PageAccessible*>(object_.get())->detach();
}

std::optional<LRESULT> PageAccessibleOwner::answer(WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
    if (!object_) {
        // Handing the object out marshals it, which takes COM on this thread.
        if (!com_) com_.emplace();
        object_.reset(new PageAccessible(window_, page_));
    }
    return ::LresultFromObject(kIidAccessible, wParam, object_.get());
}

}  // namespace trv
