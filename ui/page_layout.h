#pragma once
// Where everything lies on the settings page, in client pixels of the main
// window (right and bottom exclusive). Rectangles are constants: they do not
// follow the skin, whose images are drawn to fit them.

#include "ui/canvas.h"

namespace trv::ui::layout {

inline constexpr int kPageWidth = 960;
inline constexpr int kPageHeight = 587;

// The window frame: these react before the page exists.
inline constexpr Rect kMinimise{923, 17, 941, 35};
inline constexpr Rect kClose{942, 17, 960, 35};
inline constexpr Rect kOk{611, 492, 716, 513};
inline constexpr Rect kApply{717, 492, 822, 513};
inline constexpr Rect kCancel{823, 492, 928, 513};
inline constexpr Rect kLink{333, 496, 509, 517};

// Assignment section.
inline constexpr Rect kModeA{19, 197, 124, 218};
inline constexpr Rect kModeB{125, 197, 230, 218};
inline constexpr Rect kDefault{72, 460, 177, 481};
inline constexpr int kPageButtons = 7;  // button 8 has no box on the page
inline constexpr int kBoxNumberWidth = 20;
constexpr Rect box(int button) {  // 1..7
    return {19, 246 + 23 * (button - 1), 230, 267 + 23 * (button - 1)};
}
constexpr Rect assignmentList(int button) {  // 1..7
    return {230, 41 + 23 * (button - 1), 330, 267 + 23 * (button - 1)};
}
inline constexpr int kDpiSubListSize = 60;

// Report rate.
inline constexpr Rect kReportRateTitle{286, 90, 600, 111};
constexpr Rect knob(int k) {  // 1..4
    return {286 + 71 * (k - 1), 119, 356 + 71 * (k - 1), 130};
}
constexpr Rect knobLabel(int k) {
    return {knob(k).left, 140, knob(k).right, 160};
}

// Lighting.
inline constexpr Rect kLightingTitle{286, 190, 600, 211};
constexpr Rect lightingBox(int n) {  // 1 mode, 2 parameter, 3 effect
    return {286 + 107 * (n - 1), 240, 391 + 107 * (n - 1), 261};
}
constexpr Rect lightingCaption(int n) {
    return {lightingBox(n).left, 220, lightingBox(n).right, 240};
}
// A caption too long for its box's width wraps upwards onto two lines of the
// compact font (at most 14 pixels each) in the room below the section title.
inline constexpr int kCaptionWrapRoom = 2 * 14;
static_assert(lightingCaption(1).bottom - kCaptionWrapRoom >= kLightingTitle.bottom);
inline constexpr Rect kModeList{286, 264, 391, 324};
inline constexpr Rect kBrightnessList{393, 264, 498, 434};   // ten items
inline constexpr Rect kRespirationList{393, 264, 498, 354};  // five items
// Where a click closes the parameter list; it is smaller than the list itself,
// so a click on the list's lower part leaves the list open as a click on it.
inline constexpr Rect kParameterListClickArea{393, 264, 498, 344};
inline constexpr Rect kEffectList{500, 264, 605, 304};

// DPI stages.
inline constexpr Rect kDpiTitle{286, 290, 600, 311};
inline constexpr int kStages = 4;
inline constexpr int kStageSegments = 8;
constexpr int stageRowTop(int stage) {  // 1..4
    return 315 + 35 * (stage - 1);
}
constexpr Rect stageNumber(int stage) {
    return {286, stageRowTop(stage), 306, stageRowTop(stage) + 16};
}
constexpr Rect stageSwatch(int stage) {
    return {306, stageRowTop(stage), 322, stageRowTop(stage) + 16};
}
constexpr Rect stageValueLabel(int stage) {
    return {322, stageRowTop(stage), 396, stageRowTop(stage) + 16};
}
constexpr Rect stageSegment(int stage, int segment) {  // segment 1..8
    return {396 + 18 * (segment - 1), stageRowTop(stage), 412 + 18 * (segment - 1),
            stageRowTop(stage) + 16};
}
constexpr Rect stageTick(int stage) {
    return {554 + 27 * (stage - 1), 541, 570 + 27 * (stage - 1), 557};
}
constexpr Rect stageTickNumber(int stage) {
    return {stageTick(stage).left, 562, stageTick(stage).right, 587};
}

// Windows pointer settings: three sliders of eleven segments and two ticks.
inline constexpr int kPointerSegments = 11;
constexpr int pointerSliderTop(int slider) {  // 1 speed, 2 scroll lines, 3 double-click
    return slider == 1 ? 119 : slider == 2 ? 255 : 391;
}
constexpr Rect pointerSegment(int slider, int segment) {  // segment 1..11
    return {656 + 24 * (segment - 1), pointerSliderTop(slider), 680 + 24 * (segment - 1),
            pointerSliderTop(slider) + 11};
}
constexpr Rect pointerTitle(int slider) {
    return slider == 1   ? Rect{656, 90, 960, 111}
           : slider == 2 ? Rect{656, 226, 960, 247}
                         : Rect{656, 362, 960, 383};
}
constexpr Rect pointerTick(int tick) {  // 1 precision, 2 one screen
    return tick == 1 ? Rect{656, 166, 672, 182} : Rect{656, 302, 672, 318};
}
constexpr Rect pointerTickLabel(int tick) {
    return tick == 1 ? Rect{682, 166, 960, 182} : Rect{682, 302, 960, 318};
}

static_assert(box(7).bottom == 405 && assignmentList(1).top == 41);
static_assert(knob(4).right == 569 && stageSegment(4, 8).right == 538);
static_assert(pointerSegment(3, 11).right == 920);

}  // namespace trv::ui::layout
