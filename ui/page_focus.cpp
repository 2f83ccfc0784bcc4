#include "ui/page_focus.h"

#include <algorithm>
#include <array>

#include "perf/dpi.h"
#include "perf/pointer.h"
#include "perf/report_rate.h"
#include "ui/page_layout.h"

namespace trv::ui {

namespace {

namespace L = layout;
using K = FocusKind;

constexpr std::array<FocusStop, kFocusStops> kOrder{{
    {K::ModeA},
    {K::ModeB},
    {K::Box, 1},
    {K::Box, 2},
    {K::Box, 3},
    {K::Box, 4},
    {K::Box, 5},
    {K::Box, 6},
    {K::Box, 7},
    {K::Default},
    {K::ReportRate},
    {K::LightingBox, 1},
    {K::LightingBox, 2},
    {K::LightingBox, 3},
    {K::Stage, 1},
    {K::Stage, 2},
    {K::Stage, 3},
    {K::Stage, 4},
    {K::Swatch, 1},
    {K::Swatch, 2},
    {K::Swatch, 3},
    {K::Swatch, 4},
    {K::PointerSlider, 1},
    {K::PointerTick, 1},
    {K::PointerSlider, 2},
    {K::PointerTick, 2},
    {K::PointerSlider, 3},
    {K::Link},
    {K::Ok},
    {K::Apply},
    {K::Cancel},
    {K::Minimise},
    {K::Close},
}};

bool validStop(int stop) {
    return stop >= 0 && stop < kFocusStops;
}

KeyStep pressAt(int x, int y) {
    KeyStep step{KeyStep::Kind::Press};
    step.x = x;
    step.y = y;
    return step;
}

KeyStep pressMiddle(const Rect& r) {
    return pressAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

KeyStep focusOn(int stop) {
    KeyStep step{KeyStep::Kind::Focus};
    step.stop = stop;
    return step;
}

KeyStep listStep(KeyStep::Kind kind, ListId list, int item) {
    KeyStep step{kind};
    step.list = list;
    step.item = item;
    return step;
}

// The next stop that answers, in the direction of the key, round the page.
std::optional<int> nextStop(int from, int direction, bool pageLive) {
    int stop = from;
    if (stop < 0) stop = direction > 0 ? -1 : kFocusStops;
    for (int n = 0; n < kFocusStops; ++n) {
        stop = (stop + direction + kFocusStops) % kFocusStops;
        if (stopAnswers(stop, pageLive)) return stop;
    }
    return std::nullopt;
}

// The arrows and Home/End over a row of `count` positions holding `current`:
// the position wanted, or nothing when the key leaves it where it is.
std::optional<int> stepAlong(Key key, int current, int count) {
    int wanted = current;
    switch (key) {
        case Key::Left:
        case Key::Down:
            wanted = current - 1;
            break;
        case Key::Right:
        case Key::Up:
            wanted = current + 1;
            break;
        case Key::Home:
            wanted = 1;
            break;
        case Key::End:
            wanted = count;
            break;
        default:
            return std::nullopt;
    }
    wanted = std::clamp(wanted, 1, count);
    if (wanted == current) return std::nullopt;
    return wanted;
}

std::vector<KeyStep> listKeySteps(const PageFocus& focus, Key key, const KeyContext& context) {
    const OpenListKeys& list = *context.list;
    const auto select = [&](int item) -> std::vector<KeyStep> {
        item = std::clamp(item, 0, std::max(list.count - 1, 0));
        if (list.count == 0 || item == list.selection) return {};
        return {listStep(KeyStep::Kind::SelectItem, list.id, item)};
    };
    const bool assignment = focusStop(focus.stop).kind == K::Box && !focus.inSubList;
    // Pressing the box again closes its list, the DPI sub-list with it.
    const KeyStep close = pressMiddle(controlRect(focus.stop));
    switch (key) {
        case Key::Up:
            return select(list.selection < 0 ? 0 : list.selection - 1);
        case Key::Down:
            return select(list.selection + 1);
        case Key::Home:
            return select(0);
        case Key::End:
            return select(list.count - 1);
        case Key::Space:
        case Key::Enter:
            if (list.selection < 0) return {};
            return {listStep(KeyStep::Kind::Choose, list.id, list.selection)};
        case Key::Right:
            if (!assignment || !context.subListShown) return {};
            return {listStep(KeyStep::Kind::SubList, list.id, 1),
                    listStep(KeyStep::Kind::SelectItem, ListId::DpiSubList, 0)};
        case Key::Left:
            if (!focus.inSubList) return {};
            return {listStep(KeyStep::Kind::SubList, list.id, 0)};
        case Key::Escape:
            return {close};
        case Key::Tab:
        case Key::ShiftTab: {
            std::vector<KeyStep> steps{close};
            if (const auto next = nextStop(focus.stop, key == Key::Tab ? 1 : -1, context.pageLive))
                steps.push_back(focusOn(*next));
            return steps;
        }
        case Key::ModeToggle:
            break;
    }
    return {};
}

std::vector<KeyStep> controlKeySteps(const FocusStop& stop, Key key, const KeyContext& context) {
    const SettingsRecord& record = context.record;
    switch (stop.kind) {
        case K::ReportRate: {
            const int knob = knobOfReportRateCode(record[rec::kReportRateCode]);
            if (const auto wanted = stepAlong(key, knob, kReportRateKnobs))
                return {pressMiddle(L::knob(*wanted))};
            return {};
        }
        case K::Stage: {
            if (key == Key::Space) return {pressMiddle(L::stageTick(stop.index))};
            const int segment = std::clamp(
                static_cast<int>(stageLevel(record, static_cast<std::size_t>(stop.index))) + 1, 1,
                L::kStageSegments);
            if (const auto wanted = stepAlong(key, segment, L::kStageSegments))
                return {pressMiddle(L::stageSegment(stop.index, *wanted))};
            return {};
        }
        case K::PointerSlider: {
            const int position = std::clamp(static_cast<int>(pointerSliderPosition(
                                                record, static_cast<PointerSlider>(stop.index))),
                                            0, L::kPointerSegments);
            if (const auto wanted = stepAlong(key, position, L::kPointerSegments))
                return {pressMiddle(L::pointerSegment(stop.index, *wanted))};
            return {};
        }
        default:
            if (key == Key::Space) return {pressMiddle(controlRect(stopIndex(stop)))};
            return {};
    }
}

Rect rowOf(const Rect& first, const Rect& last) {
    return {first.left, first.top, last.right, last.bottom};
}

}  // namespace

int stopIndex(FocusStop wanted) {
    for (int i = 0; i < kFocusStops; ++i) {
        if (kOrder[static_cast<std::size_t>(i)] == wanted) return i;
    }
    return -1;
}

FocusStop focusStop(int stop) {
    return validStop(stop) ? kOrder[static_cast<std::size_t>(stop)] : FocusStop{};
}

std::optional<int> stopOfPress(const PagePress& press) {
    using T = PressTarget;
    FocusStop stop;
    switch (press.target) {
        case T::Background:
            return std::nullopt;
        case T::Ok:
            stop = {K::Ok};
            break;
        case T::Apply:
            stop = {K::Apply};
            break;
        case T::Minimise:
            stop = {K::Minimise};
            break;
        case T::Close:
            stop = {K::Close};
            break;
        case T::Cancel:
            stop = {K::Cancel};
            break;
        case T::Link:
            stop = {K::Link};
            break;
        case T::ModeA:
            stop = {K::ModeA};
            break;
        case T::ModeB:
            stop = {K::ModeB};
            break;
        case T::Default:
            stop = {K::Default};
            break;
        case T::Box:
            stop = {K::Box, press.index};
            break;
        case T::Knob:
            stop = {K::ReportRate};
            break;
        case T::StageTick:
        case T::StageSegment:
            stop = {K::Stage, press.index};
            break;
        case T::StageSwatch:
            stop = {K::Swatch, press.index};
            break;
        case T::LightingBox:
            stop = {K::LightingBox, press.index};
            break;
        case T::PrecisionTick:
            stop = {K::PointerTick, 1};
            break;
        case T::OneScreenTick:
            stop = {K::PointerTick, 2};
            break;
        case T::PointerSegment:
            stop = {K::PointerSlider, press.index};
            break;
    }
    const int found = stopIndex(stop);
    if (found < 0) return std::nullopt;
    return found;
}

bool stopAnswers(int stop, bool pageLive) {
    if (!validStop(stop)) return false;
    return pageLive || focusStop(stop).kind >= K::Link;
}

Rect controlRect(int stop) {
    const FocusStop s = focusStop(stop);
    switch (s.kind) {
        case K::ModeA:
            return L::kModeA;
        case K::ModeB:
            return L::kModeB;
        case K::Box:
            return L::box(s.index);
        case K::Default:
            return L::kDefault;
        case K::ReportRate:
            return rowOf(L::knob(1), L::knobLabel(kReportRateKnobs));
        case K::LightingBox:
            return L::lightingBox(s.index);
        case K::Stage:
            return rowOf(L::stageSegment(s.index, 1), L::stageSegment(s.index, L::kStageSegments));
        case K::Swatch:
            return L::stageSwatch(s.index);
        case K::PointerSlider:
            return rowOf(L::pointerSegment(s.index, 1),
                         L::pointerSegment(s.index, L::kPointerSegments));
        case K::PointerTick:
            return L::pointerTick(s.index);
        case K::Link:
            return L::kLink;
        case K::Ok:
            return L::kOk;
        case K::Apply:
            return L::kApply;
        case K::Cancel:
            return L::kCancel;
        case K::Minimise:
            return L::kMinimise;
        case K::Close:
            return L::kClose;
    }
    return {};
}

Rect focusMarkRect(int stop) {
    const Rect r = controlRect(stop);
    constexpr int w = kFocusMarkWidth;
    return {std::max(r.left - w, 0), std::max(r.top - w, 0), std::min(r.right + w, L::kPageWidth),
            std::min(r.bottom + w, L::kPageHeight)};
}

std::optional<ListId> listOfFocus(const PageFocus& focus) {
    const FocusStop stop = focusStop(focus.stop);
    if (!validStop(focus.stop)) return std::nullopt;
    if (stop.kind == K::Box) {
        return focus.inSubList ? ListId::DpiSubList : assignmentList(stop.index);
    }
    if (stop.kind == K::LightingBox) {
        return stop.index == 1   ? ListId::LightMode
               : stop.index == 2 ? ListId::LightParameter
                                 : ListId::LightEffect;
    }
    return std::nullopt;
}

std::vector<KeyStep> pageKeySteps(const PageFocus& focus, Key key, const KeyContext& context) {
    // Alt+M is the mode buttons' press wherever the keys are.
    if (context.list && validStop(focus.stop) && key != Key::ModeToggle) {
        return listKeySteps(focus, key, context);
    }
    switch (key) {
        case Key::Enter:
        case Key::Escape:
            return {KeyStep{KeyStep::Kind::Hide}};
        case Key::Tab:
        case Key::ShiftTab:
            if (const auto next = nextStop(focus.stop, key == Key::Tab ? 1 : -1, context.pageLive))
                return {focusOn(*next)};
            return {};
        case Key::ModeToggle: {
            if (!context.pageLive) return {};
            const bool modeB = context.record.modeShown() == Mode::B;
            return {pressMiddle(modeB ? L::kModeA : L::kModeB)};
        }
        default:
            break;
    }
    if (!stopAnswers(focus.stop, context.pageLive)) return {};
    return controlKeySteps(focusStop(focus.stop), key, context);
}

}  // namespace trv::ui
