#pragma once
// The over look of the page's buttons and boxes: a pointer that rests on one
// (the system's hover notice) lights it; a move onto a free part of the page
// puts every lit element back. Leaving the window changes nothing.

#include "ui/page_redraw.h"
#include "ui/page_state.h"

namespace trv::ui {

struct PointerMove {
    bool trackHover = false;  // ask the system for a hover notice (10 ms)
    Redraw redraw;            // elements back to their normal look
};

PointerMove pointerMoved(HoverMarks& marks, int x, int y, bool pageLive);
Redraw pointerHovered(HoverMarks& marks, int x, int y, bool pageLive);

}  // namespace trv::ui
