#pragma once
// The few things the program does with list boxes, written once: create one
// with its items, read and set the selection, find the item under a point and
// an item's rectangle. Handlers use these instead of sending LB_ messages.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace trv::win::list_box {

// A visible, bordered child list box that notifies its parent; null when it
// cannot be made. `extraStyle` adds to those (for example no scroll bar).
HWND create(HWND parent, int id, const RECT& rect, const std::vector<std::u16string>& items,
            DWORD extraStyle = 0);

void add(HWND list, const std::u16string& item);
void select(HWND list, int index);
// The selected item; nothing when none is.
std::optional<int> selection(HWND list);
int count(HWND list);
std::u16string itemText(HWND list, int index);
// The item under a point of the list's client area, as the list reports it
// (a point below the last item gives the nearest item, flagged outside).
std::optional<int> itemAtPoint(HWND list, POINT client);
// The item's rectangle in the list's client coordinates.
std::optional<RECT> itemRect(HWND list, int index);
// How many items the list shows at once (at least one).
int pageSize(HWND list);
// Scrolls by whole lines: negative towards the first item.
void scrollLines(HWND list, int lines);

}  // namespace trv::win::list_box
