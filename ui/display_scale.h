#pragma once
// A display scale as the window's edge applies it: the page and the dialogs
// keep their 96-DPI numbers, and every length, point and rectangle is scaled
// by DPI / 96 at the one place where it meets the window, rounded half up.
// A rectangle is scaled edge by edge, so that rectangles that touch at 96 DPI
// still touch at every scale and the page's size is exactly round(960·s) ×
// round(587·s).

#include "ui/canvas.h"

namespace trv::ui {

inline constexpr int kBaseDpi = 96;

struct DisplayScale {
    int dpi = kBaseDpi;

    // A 96-DPI length or coordinate in the window's pixels.
    constexpr int px(int value) const {
        const long long scaled = static_cast<long long>(value) * dpi;
        return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                            : -((-scaled + kBaseDpi / 2) / kBaseDpi));
    }
    constexpr Rect rect(const Rect& r) const {
        return {px(r.left), px(r.top), px(r.right), px(r.bottom)};
    }
    // A window pixel back in 96-DPI numbers, for hit tests and hover: the
    // 96-DPI coordinate whose scaled span holds it.
    constexpr int unscaled(int value) const {
        int v = static_cast<int>(static_cast<long long>(value) * kBaseDpi / dpi);
        while (px(v + 1) <= value) ++v;
        while (v > 0 && px(v) > value) --v;
        return v;
    }
    constexpr bool isBase() const { return dpi == kBaseDpi; }
};

static_assert(DisplayScale{144}.px(960) == 1440 && DisplayScale{144}.px(587) == 881);
static_assert(DisplayScale{192}.px(587) == 1174 && DisplayScale{120}.px(587) == 734);
static_assert(DisplayScale{144}.unscaled(DisplayScale{144}.px(250)) == 250);

}  // namespace trv::ui
