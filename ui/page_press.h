#pragma once
// Which page element a left-button press acts on. The page tries its regions
// in a fixed order; the window frame's six elements react whatever the page's
// state, the rest only while the page is shown and live. A press that finds
// nothing drags the window.

#include <vector>

#include "ui/page_state.h"

namespace trv::ui {

enum class PressTarget : unsigned char {
    Background,
    Ok,
    Apply,
    Minimise,
    Close,
    Cancel,
    Link,
    ModeA,
    ModeB,
    Default,
    Box,           // index: button 1..7
    Knob,          // index: knob 1..4
    StageTick,     // index: stage 1..4
    StageSwatch,   // index: stage 1..4
    LightingBox,   // index: 1 mode, 2 parameter, 3 effect
    StageSegment,  // index: stage 1..4, segment: 1..8
    PrecisionTick,
    OneScreenTick,
    PointerSegment,  // index: slider 1..3, segment: 1..11
};

struct PagePress {
    PressTarget target = PressTarget::Background;
    int index = 0;
    int segment = 0;
    bool operator==(const PagePress&) const = default;
};

PagePress pageElementAt(int x, int y, bool pageLive);

// A press closes every open list whose box and list both miss the point (the
// DPI sub-list goes with any assignment list that closes, and with every
// press on the page's surface). Returns the lists closed, clearing their marks.
std::vector<ListId> closeListsAwayFrom(OpenLists& lists, int x, int y);

}  // namespace trv::ui
