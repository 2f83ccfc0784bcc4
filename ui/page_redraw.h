#pragma once
// What a change of the page's state must redraw: a short list of elements,
// drawn together in one canvas update. An empty list means that nothing on
// the screen changes.

#include <cstdint>
#include <vector>

namespace trv::ui {

enum class Element : std::uint8_t {
    Page,             // the whole page, as its build draws it
    ModeAndBoxes,     // Mode A / Mode B buttons and the seven boxes with their labels
    Box,              // index: button 1..7; look: 1 over, 0 normal
    TextButton,       // index: TextButtonId; look: 1 over, 0 normal
    FrameButton,      // index: FrameButtonId; look: 1 over, 0 normal
    Knob,             // index: report-rate knob 1..4, light when it shows the code
    StageSlider,      // index: stage 1..4; look: the number of lit segments
    StageValueLabel,  // index: stage 1..4
    StageTick,        // index: stage 1..4
    StageSwatch,      // index: stage 1..4 (a system control painted in the colour)
    PointerSlider,    // index: 1 speed, 2 scroll lines, 3 double-click
    PointerTick,      // index: 1 precision, 2 one screen
    LightingBox,      // index: 1 mode, 2 parameter, 3 effect
};

enum TextButtonId : int { kOkButton = 1, kApplyButton, kCancelButton, kDefaultButton };
enum FrameButtonId : int { kMinimiseButton = 1, kCloseButton };

struct ElementDraw {
    Element element = Element::Page;
    int index = 0;
    int look = 0;
    bool operator==(const ElementDraw&) const = default;
};

using Redraw = std::vector<ElementDraw>;

}  // namespace trv::ui
