#pragma once
// Where the fire-key dialog paints its captions and help lines. Each caption
// stands right-aligned to the left of its field on one line, or on two when
// the language's text is wider than the room there; the two help lines stand
// one below the other, each wrapped onto as many lines as it needs.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "ui/canvas.h"

namespace trv::ui {

struct TextSize {
    int width = 0;
    int height = 0;
};
// The size of a text in the dialog's font: on one line when wrapWidth is 0,
// else broken between words at that width.
using MeasureText = std::function<TextSize(std::u16string_view text, int wrapWidth)>;

struct PlacedText {
    std::u16string_view text;
    Rect rect;
    bool wrapped = false;  // broken between words; else one line, vertically centred
    bool rightAligned = false;
};

namespace fire_layout {
// The room for texts inside the dialog's content well.
inline constexpr Rect kWell{16, 44, 430, 246};
inline constexpr int kHelpTop = 194;
inline constexpr int kHelpLeft = 23;  // clear of the well's rounded edge
// The number fields: repeat count, make time, break time. They stand far
// enough right for a caption of every language on one or two lines.
inline constexpr Rect kRepeatField{95, 104, 176, 118};
inline constexpr Rect kMakeField{95, 138, 176, 152};
inline constexpr Rect kBreakField{95, 172, 176, 186};
}  // namespace fire_layout

// The fire-key dialog's painted texts from its labels (all ten, in order).
std::vector<PlacedText> fireKeyTexts(std::span<const std::u16string_view> labels,
                                     const MeasureText& measure);

}  // namespace trv::ui
