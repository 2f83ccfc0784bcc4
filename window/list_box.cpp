#include "window/list_box.h"

#include "window/wide.h"

namespace trv::win::list_box {

HWND create(HWND parent, int id, const RECT& rect, const std::vector<std::u16string>& items,
            DWORD extraStyle) {
    HWND list = ::CreateWindowExW(
        0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | extraStyle, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!list) return nullptr;
    // The parent's font, as the dialog's own controls get it.
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0))) {
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (const std::u16string& item : items) add(list, item);
    return list;
}

void add(HWND list, const std::u16string& item) {
    const std::wstring text = toWide(item);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void select(HWND list, int index) {
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<int> selection(HWND list) {
    const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return std::nullopt;
    return static_cast<int>(index);
}

int count(HWND list) {
    const LRESULT n = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::u16string itemText(HWND list, int index) {
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(text.data()));
    if (got == LB_ERR) return {};
    text.resize(static_cast<std::size_t>(got));
    return std::u16string(text.begin(), text.end());
}

std::optional<int> itemAtPoint(HWND list, POINT client) {
    const LRESULT hit = ::SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    if (count(list) == 0) return std::nullopt;
    return static_cast<int>(LOWORD(hit));
}

std::optional<RECT> itemRect(HWND list, int index) {
    RECT r{};
    if (::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
        return std::nullopt;
    }
    return r;
}

int pageSize(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const LRESULT height = ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    if (height == LB_ERR || height <= 0) return 1;
    const int shown = static_cast<int>(client.bottom / height);
    return shown > 0 ? shown : 1;
}

void scrollLines(HWND list, int lines) {
    const WPARAM direction = lines < 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < (lines < 0 ? -lines : lines); ++i) {
        ::SendMessageW(list, WM_VSCROLL, MAKEWPARAM(direction, 0), 0);
    }
}

}  // namespace trv::win::list_box
