#include "ui/fire_key_texts.h"

#include <algorithm>
#include <array>

#include "lang/dialog_labels.h"

namespace trv::ui {

namespace {

namespace F = fire_layout;

struct Caption {
    std::size_t label;
    Rect field;
};
constexpr std::array<Caption, 3> kCaptions{{
    {fire_label::kTimes, F::kRepeatField},
    {fire_label::kMakeTime, F::kMakeField},
    {fire_label::kBreakTime, F::kBreakField},
}};
// A caption ends this far left of its field.
constexpr int kCaptionGap = 5;
constexpr int kLineGap = 2;

std::u16string_view labelAt(std::span<const std::u16string_view> labels, std::size_t i) {
    return i < labels.size() ? labels[i] : std::u16string_view{};
}

}  // namespace

std::vector<PlacedText> fireKeyTexts(std::span<const std::u16string_view> labels,
                                     const MeasureText& measure) {
    std::vector<PlacedText> placed;
    for (const Caption& c : kCaptions) {
        const std::u16string_view text = labelAt(labels, c.label);
        const int right = c.field.left - kCaptionGap;
        const int room = right - F::kWell.left;
        if (measure(text, 0).width <= room) {
            placed.push_back(
                {text, {F::kWell.left, c.field.top, right, c.field.bottom}, false, true});
            continue;
        }
        // Centred on the field's row; the rows are far enough apart for two lines.
        const int height = measure(text, room).height;
        const int middle = (c.field.top + c.field.bottom) / 2;
        const int top = middle - height / 2;
        placed.push_back({text, {F::kWell.left, top, right, top + height}, true, true});
    }
    // Below the lowest caption, which may reach past its field on two lines.
    int top = F::kHelpTop;
    for (const PlacedText& caption : placed) top = std::max(top, caption.rect.bottom + kLineGap);
    for (const std::size_t help : {fire_label::kTimeRange, fire_label::kTimesRange}) {
        const std::u16string_view text = labelAt(labels, help);
        const int height = measure(text, F::kWell.right - F::kHelpLeft).height;
        placed.push_back({text, {F::kHelpLeft, top, F::kWell.right, top + height}, true, false});
        top += height;
    }
    return placed;
}

}  // namespace trv::ui
