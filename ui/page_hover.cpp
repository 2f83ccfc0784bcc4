#include "ui/page_hover.h"

#include <algorithm>
#include <utility>

#include "ui/page_layout.h"

namespace trv::ui {

namespace {

namespace L = layout;

ElementDraw textButton(int id, bool over) {
    return {Element::TextButton, id, over ? 1 : 0};
}
ElementDraw frameButton(int id, bool over) {
    return {Element::FrameButton, id, over ? 1 : 0};
}
ElementDraw box(int button, bool over) {
    return {Element::Box, button, over ? 1 : 0};
}

int boxAt(int x, int y) {
    for (int k = 1; k <= L::kPageButtons; ++k) {
        if (L::box(k).contains(x, y)) return k;
    }
    return 0;
}

bool inHoverRegion(int x, int y, bool pageLive) {
    if (L::kOk.contains(x, y) || L::kApply.contains(x, y) || L::kCancel.contains(x, y) ||
        L::kMinimise.contains(x, y) || L::kClose.contains(x, y)) {
        return true;
    }
    return pageLive && (L::kDefault.contains(x, y) || boxAt(x, y) != 0);
}

// Lights one of OK, Apply and Cancel and puts the other two back.
Redraw lightTextButton(HoverMarks& marks, int id) {
    struct Entry {
        int id;
        bool HoverMarks::*mark;
    };
    constexpr Entry group[] = {{kOkButton, &HoverMarks::ok},
                               {kApplyButton, &HoverMarks::apply},
                               {kCancelButton, &HoverMarks::cancel}};
    Redraw redraw;
    for (const Entry& e : group) {
        if (e.id == id) {
            marks.*e.mark = true;
            redraw.push_back(textButton(e.id, true));
        } else if (marks.*e.mark) {
            marks.*e.mark = false;
            redraw.push_back(textButton(e.id, false));
        }
    }
    return redraw;
}

}  // namespace

bool HoverMarks::any() const {
    return ok || apply || cancel || minimise || close || defaults ||
           std::any_of(boxes.begin(), boxes.end(), [](bool b) { return b; });
}

PointerMove pointerMoved(HoverMarks& marks, int x, int y, bool pageLive) {
    if (inHoverRegion(x, y, pageLive)) return {true, {}};
    PointerMove move;
    if (!marks.any()) return move;
    if (std::exchange(marks.ok, false)) move.redraw.push_back(textButton(kOkButton, false));
    if (std::exchange(marks.apply, false)) move.redraw.push_back(textButton(kApplyButton, false));
    if (std::exchange(marks.cancel, false)) {
        move.redraw.push_back(textButton(kCancelButton, false));
    }
    if (std::exchange(marks.minimise, false)) {
        move.redraw.push_back(frameButton(kMinimiseButton, false));
    }
    if (std::exchange(marks.close, false)) move.redraw.push_back(frameButton(kCloseButton, false));
    if (std::exchange(marks.defaults, false)) {
        move.redraw.push_back(textButton(kDefaultButton, false));
    }
    for (int k = 1; k <= L::kPageButtons; ++k) {
        if (std::exchange(marks.boxes[k - 1], false)) move.redraw.push_back(box(k, false));
    }
    return move;
}

Redraw pointerHovered(HoverMarks& marks, int x, int y, bool pageLive) {
    if (L::kOk.contains(x, y)) return lightTextButton(marks, kOkButton);
    if (L::kApply.contains(x, y)) return lightTextButton(marks, kApplyButton);
    if (L::kCancel.contains(x, y)) return lightTextButton(marks, kCancelButton);
    if (L::kClose.contains(x, y)) {
        marks.close = true;
        return {frameButton(kCloseButton, true)};
    }
    if (L::kMinimise.contains(x, y)) {
        marks.minimise = true;
        return {frameButton(kMinimiseButton, true)};
    }
    if (!pageLive) return {};
    if (L::kDefault.contains(x, y)) {
        marks.defaults = true;
        return {textButton(kDefaultButton, true)};
    }
    const int hovered = boxAt(x, y);
    if (hovered == 0) return {};
    Redraw redraw;
    for (int k = 1; k <= L::kPageButtons; ++k) {
        if (k == hovered) {
            marks.boxes[k - 1] = true;
            redraw.push_back(box(k, true));
        } else if (std::exchange(marks.boxes[k - 1], false)) {
            redraw.push_back(box(k, false));
        }
    }
    return redraw;
}

}  // namespace trv::ui
