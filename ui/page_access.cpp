#include "ui/page_access.h"

#include <algorithm>
#include <utility>

#include "perf/dpi.h"
#include "perf/pointer.h"
#include "perf/report_rate.h"
#include "ui/page_layout.h"

namespace trv::ui {

namespace {

using K = FocusKind;

std::u16string hexColour(Rgb c) {
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string out = u"#";
    for (std::uint8_t part : {c.red, c.green, c.blue}) {
        out += digits[part >> 4];
        out += digits[part & 0xF];
    }
    return out;
}

AccessRole roleOf(K kind) {
    switch (kind) {
        case K::ModeA:
        case K::ModeB:
        case K::ReportRate:
            return AccessRole::RadioButton;
        case K::Box:
        case K::LightingBox:
            return AccessRole::ComboBox;
        case K::Stage:
        case K::PointerSlider:
            return AccessRole::Slider;
        case K::PointerTick:
            return AccessRole::CheckBox;
        case K::Link:
            return AccessRole::Link;
        default:
            return AccessRole::PushButton;
    }
}

}  // namespace

std::u16string controlName(int stop, Language language) {
    const FocusStop s = focusStop(stop);
    const auto t = [&](TextId id) { return std::u16string(text(language, id)); };
    switch (s.kind) {
        case K::ModeA:
            return u"Mode A";  // the page shows these words in every language
        case K::ModeB:
            return u"Mode B";
        case K::Box:
            return filledText(language, TextId::PageButton, decimalText(s.index));
        case K::Default:
            return t(TextId::Default);
        case K::ReportRate:
            return t(TextId::ReportRateSetting);
        case K::LightingBox:
            return t(s.index == 1   ? TextId::Mode
                     : s.index == 2 ? TextId::Parameter
                                    : TextId::Effect);
        case K::Stage:
            return filledText(language, TextId::StageName, decimalText(s.index));
        case K::Swatch:
            return filledText(language, TextId::StageColourName, decimalText(s.index));
        case K::PointerSlider:
            return t(s.index == 1   ? TextId::MouseSpeed
                     : s.index == 2 ? TextId::ScrollingSpeed
                                    : TextId::DoubleClickSpeed);
        case K::PointerTick:
            return t(s.index == 1 ? TextId::EnhancePointerPrecision : TextId::ScrollOneScreen);
        case K::Link:
            return std::u16string(guideLinkText(language));
        case K::Ok:
            return t(TextId::Ok);
        case K::Apply:
            return t(TextId::Apply);
        case K::Cancel:
            return t(TextId::Cancel);
        case K::Minimise:
            return t(TextId::Minimise);
        case K::Close:
            return t(TextId::Close);
    }
    return {};
}

std::u16string listName(ListId list, Language language) {
    switch (list) {
        case ListId::DpiSubList:
            return std::u16string(text(language, TextId::DpiSwitch));
        case ListId::LightMode:
            return controlName(stopIndex({K::LightingBox, 1}), language);
        case ListId::LightParameter:
            return controlName(stopIndex({K::LightingBox, 2}), language);
        case ListId::LightEffect:
            return controlName(stopIndex({K::LightingBox, 3}), language);
        default:
            break;
    }
    const std::optional<int> button = buttonOfList(list);
    return button ? controlName(stopIndex({K::Box, *button}), language) : std::u16string();
}

AccessibleControl describeControl(int stop, const PageView& view, const AccessContext& context) {
    const FocusStop s = focusStop(stop);
    const Language language = view.language;
    const SettingsRecord& record = view.record;
    const auto t = [&](TextId id) { return std::u16string(text(language, id)); };
    const auto index = static_cast<std::size_t>(s.index);

    AccessibleControl c;
    c.name = controlName(stop, language);
    c.role = roleOf(s.kind);
    c.rect = controlRect(stop);
    if (stopAnswers(stop, context.pageLive)) {
        c.state |= kAccessFocusable;
    } else {
        c.state |= kAccessUnavailable;
    }
    if (context.focusedStop == stop) c.state |= kAccessFocused;
    const auto checkedIf = [&](bool checked) {
        if (checked) c.state |= kAccessChecked;
        c.defaultAction = t(checked ? TextId::ActionUncheck : TextId::ActionCheck);
    };
    const auto expandedIf = [&](bool expanded) {
        c.state |= expanded ? kAccessExpanded : kAccessCollapsed;
        c.defaultAction = t(expanded ? TextId::Close : TextId::ActionOpen);
    };

    switch (s.kind) {
        case K::ModeA:
        case K::ModeB:
            if ((record.modeShown() == Mode::B) == (s.kind == K::ModeB)) {
                c.state |= kAccessChecked | kAccessPressed;
            }
            c.defaultAction = t(TextId::ActionCheck);
            break;
        case K::Box:
            c.value = view.labels.of(record.modeShown(), index);
            expandedIf(context.lists.assignment.isOpen(s.index));
            break;
        case K::ReportRate:
            c.value = std::u16string(
                          reportRateKnobLabel(knobOfReportRateCode(record[rec::kReportRateCode]))) +
                      u" Hz";
            break;
        case K::LightingBox:
            c.value = s.index == 1   ? view.lighting.mode
                      : s.index == 2 ? view.lighting.parameter
                                     : view.lighting.effect;
            expandedIf(context.lists.lighting[index - 1]);
            break;
        case K::Stage: {
            const std::u16string_view dpi =
                dpiLevelLabel(view.sensorType, stageLevel(record, index));
            if (!dpi.empty()) c.value = std::u16string(dpi) + u" DPI";
            checkedIf(stageTicked(record, index));
            break;
        }
        case K::Swatch:
            c.value = hexColour(stageColour(record, index));
            c.defaultAction = t(TextId::ActionPress);
            if (!mayChooseStageColour(record, index)) c.state |= kAccessUnavailable;
            break;
        case K::PointerSlider:
            c.value = filledText(
                language, TextId::SliderPosition,
                decimalText(pointerSliderPosition(record, static_cast<PointerSlider>(s.index))),
                decimalText(layout::kPointerSegments));
            break;
        case K::PointerTick:
            checkedIf(record[s.index == 1 ? rec::kPointerPrecision : rec::kScrollOneScreen] == 1);
            break;
        case K::Link:
            c.value = t(TextId::WebLink);
            c.defaultAction = t(TextId::ActionJump);
            break;
        default:
            c.defaultAction = t(TextId::ActionPress);
            break;
    }
    return c;
}

std::vector<AccessChange> accessChanges(const Redraw& redraw) {
    std::vector<AccessChange> changes;
    const auto add = [&](FocusStop stop, AccessEvent event) {
        const AccessChange change{stopIndex(stop), event};
        if (change.stop < 0) return;
        if (std::find(changes.begin(), changes.end(), change) == changes.end())
            changes.push_back(change);
    };
    for (const ElementDraw& e : redraw) {
        switch (e.element) {
            case Element::ModeAndBoxes:
                add({K::ModeA}, AccessEvent::StateChange);
                add({K::ModeB}, AccessEvent::StateChange);
                for (int k = 1; k <= layout::kPageButtons; ++k)
                    add({K::Box, k}, AccessEvent::ValueChange);
                break;
            case Element::Box:
                add({K::Box, e.index}, AccessEvent::ValueChange);
                break;
            case Element::Knob:
                add({K::ReportRate}, AccessEvent::ValueChange);
                break;
            case Element::StageSlider:
            case Element::StageValueLabel:
                add({K::Stage, e.index}, AccessEvent::ValueChange);
                break;
            case Element::StageTick:
                // The tick also decides whether the stage's colour may be chosen.
                add({K::Stage, e.index}, AccessEvent::StateChange);
                add({K::Swatch, e.index}, AccessEvent::StateChange);
                break;
            case Element::StageSwatch:
                add({K::Swatch, e.index}, AccessEvent::ValueChange);
                break;
            case Element::PointerSlider:
                add({K::PointerSlider, e.index}, AccessEvent::ValueChange);
                break;
            case Element::PointerTick:
                add({K::PointerTick, e.index}, AccessEvent::StateChange);
                break;
            case Element::LightingBox:
                add({K::LightingBox, e.index}, AccessEvent::ValueChange);
                break;
            case Element::Page:
            case Element::TextButton:
            case Element::FrameButton:
                break;
        }
    }
    return changes;
}

}  // namespace trv::ui
