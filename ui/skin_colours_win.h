#pragma once
// The skin's colours.ini, read from its folder: the dialogs' colours, whose
// accent also marks the page's keyboard focus.

#include <windows.h>

#include <string>

#include "ui/dialog_colours.h"

namespace trv::ui {

// The defaults of the default skin when the file is missing or unreadable.
DialogColours readSkinColours(const std::wstring& skinFolder);

inline COLORREF colourRef(Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

}  // namespace trv::ui
