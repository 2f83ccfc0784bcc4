#include "ui/page_press.h"

#include <utility>

#include "ui/page_layout.h"

namespace trv::ui {

namespace L = layout;

PagePress pageElementAt(int x, int y, bool pageLive) {
    struct Fixed {
        Rect rect;
        PressTarget target;
    };
    // The frame: tried first, and in every page state.
    constexpr Fixed frame[] = {
        {L::kOk, PressTarget::Ok},
        {L::kApply, PressTarget::Apply},
        {L::kMinimise, PressTarget::Minimise},
        {L::kClose, PressTarget::Close},
        {L::kCancel, PressTarget::Cancel},
        {L::kLink, PressTarget::Link},
    };
    for (const Fixed& f : frame) {
        if (f.rect.contains(x, y)) return {f.target};
    }
    if (!pageLive) return {};

    if (L::kModeA.contains(x, y)) return {PressTarget::ModeA};
    if (L::kModeB.contains(x, y)) return {PressTarget::ModeB};
    if (L::kDefault.contains(x, y)) return {PressTarget::Default};
    for (int k = 1; k <= L::kPageButtons; ++k) {
        if (L::box(k).contains(x, y)) return {PressTarget::Box, k};
    }
    for (int k = 1; k <= 4; ++k) {
        if (L::knob(k).contains(x, y)) return {PressTarget::Knob, k};
    }
    for (int s = 1; s <= L::kStages; ++s) {
        if (L::stageTick(s).contains(x, y)) return {PressTarget::StageTick, s};
    }
    for (int s = 1; s <= L::kStages; ++s) {
        if (L::stageSwatch(s).contains(x, y)) return {PressTarget::StageSwatch, s};
    }
    for (int n = 1; n <= 3; ++n) {
        if (L::lightingBox(n).contains(x, y)) return {PressTarget::LightingBox, n};
    }
    for (int s = 1; s <= L::kStages; ++s) {
        for (int j = 1; j <= L::kStageSegments; ++j) {
            if (L::stageSegment(s, j).contains(x, y)) return {PressTarget::StageSegment, s, j};
        }
    }
    if (L::pointerTick(1).contains(x, y)) return {PressTarget::PrecisionTick};
    if (L::pointerTick(2).contains(x, y)) return {PressTarget::OneScreenTick};
    for (int slider = 1; slider <= 3; ++slider) {
        for (int j = 1; j <= L::kPointerSegments; ++j) {
            if (L::pointerSegment(slider, j).contains(x, y)) {
                return {PressTarget::PointerSegment, slider, j};
            }
        }
    }
    return {};
}

std::vector<ListId> closeListsAwayFrom(OpenLists& lists, int x, int y) {
    std::vector<ListId> closed;
    if (const std::optional<int> k = lists.assignment.button()) {
        if (!L::box(*k).contains(x, y) && !L::assignmentList(*k).contains(x, y)) {
            lists.assignment.close();
            closed.push_back(assignmentList(*k));
        }
    }
    // Mode, effect, parameter: the order the page tries them in.
    struct Lighting {
        int index;
        ListId id;
        Rect box;
        Rect list;
    };
    constexpr Lighting lighting[] = {
        {0, ListId::LightMode, L::lightingBox(1), L::kModeList},
        {2, ListId::LightEffect, L::lightingBox(3), L::kEffectList},
        {1, ListId::LightParameter, L::lightingBox(2), L::kParameterListClickArea},
    };
    for (const Lighting& l : lighting) {
        if (l.box.contains(x, y) || l.list.contains(x, y)) continue;
        if (std::exchange(lists.lighting[l.index], false)) closed.push_back(l.id);
    }
    if (std::exchange(lists.dpiSubList, false)) closed.push_back(ListId::DpiSubList);
    return closed;
}

}  // namespace trv::ui
