#include "ui/page_draw.h"

#include <string>
#include <utility>

#include "perf/dpi.h"
#include "perf/pointer.h"
#include "perf/report_rate.h"
#include "ui/page_focus.h"
#include "ui/page_layout.h"

namespace trv::ui {

namespace {

namespace L = layout;

constexpr std::u16string_view kBackground = u"/BasicSet2.png";
constexpr std::u16string_view kButtonNormal = u"/button-normal.png";
constexpr std::u16string_view kButtonOver = u"/button-over.png";
constexpr std::u16string_view kBoxNormal = u"/DropdownBox-normal.png";
constexpr std::u16string_view kBoxOver = u"/DropdownBox-over.png";
constexpr std::u16string_view kKnobDark = u"/slider-RP-dark.png";
constexpr std::u16string_view kKnobLight = u"/slider-RP-light.png";
constexpr std::u16string_view kStageDark = u"/slider-DPI-dark.png";
constexpr std::u16string_view kStageLight = u"/slider-DPI-light.png";
constexpr std::u16string_view kStageLabelBack = u"/BK-DPI.png";
constexpr std::u16string_view kPointerDark = u"/slider-dark.png";
constexpr std::u16string_view kPointerLight = u"/slider-light.png";
constexpr std::u16string_view kTickOff = u"/Pane.png";
constexpr std::u16string_view kTickOn = u"/PaneMakingTick.png";
constexpr std::u16string_view kDigits[] = {u"0", u"1", u"2", u"3", u"4",
                                           u"5", u"6", u"7", u"8", u"9"};

class Painter {
  public:
    Painter(Canvas& canvas, const PageView& view) : c_(canvas), v_(view) {}

    void element(const ElementDraw& e) {
        switch (e.element) {
            case Element::Page:
                page();
                break;
            case Element::ModeAndBoxes:
                modeButtons();
                for (int k = 1; k <= L::kPageButtons; ++k) box(k, false);
                break;
            case Element::Box:
                box(e.index, e.look != 0);
                break;
            case Element::TextButton:
                textButton(e.index, e.look != 0);
                break;
            case Element::FrameButton:
                frameButton(e.index, e.look != 0);
                break;
            case Element::Knob:
                knob(e.index);
                break;
            case Element::StageSlider:
                stageSlider(e.index, e.look);
                break;
            case Element::StageValueLabel:
                stageValueLabel(e.index, true);
                break;
            case Element::StageTick:
                image(stageTicked(v_.record, stageIndex(e.index)) ? kTickOn : kTickOff,
                      L::stageTick(e.index));
                break;
            case Element::StageSwatch:
                break;  // a system control, repainted by the window in its colour
            case Element::PointerSlider:
                pointerSlider(e.index);
                break;
            case Element::PointerTick:
                pointerTick(e.index);
                break;
            case Element::LightingBox:
                lightingBox(e.index);
                break;
        }
    }

  private:
    static std::size_t stageIndex(int stage) { return static_cast<std::size_t>(stage); }
    std::u16string_view t(TextId id) const { return text(v_.language, id); }

    void image(std::u16string_view name, const Rect& at) { c_.drawImage(name, at.left, at.top); }
    void centre(std::u16string_view s, const Rect& r) {
        c_.drawText(s, r, TextFormat::Centre, FontRole::Body);
    }
    void left(std::u16string_view s, const Rect& r) {
        c_.drawText(s, r, TextFormat::Left, FontRole::Body);
    }
    void centreTop(std::u16string_view s, const Rect& r) {
        c_.drawText(s, r, TextFormat::CentreTop, FontRole::Body);
    }

    // The page build, in its order: images first, then the texts over them,
    // then the looks that depend on the record.
    void page() {
        c_.drawImage(kBackground, 0, 0);
        image(u"/button-min-normal.png", L::kMinimise);
        image(u"/button-close-normal.png", L::kClose);
        for (const Rect& r : {L::kOk, L::kApply, L::kCancel, L::kDefault}) image(kButtonNormal, r);
        for (int k = 1; k <= L::kPageButtons; ++k) image(kBoxNormal, L::box(k));
        for (int k = 1; k <= 4; ++k) image(kKnobDark, L::knob(k));
        for (int n = 1; n <= 3; ++n) image(kButtonNormal, L::lightingBox(n));
        for (int slider = 1; slider <= 3; ++slider) {
            for (int j = 1; j <= L::kPointerSegments; ++j) {
                image(kPointerDark, L::pointerSegment(slider, j));
            }
        }

        left(t(TextId::ReportRateSetting), L::kReportRateTitle);
        left(t(TextId::DpiEffect), L::kLightingTitle);
        left(t(TextId::DpiSetting), L::kDpiTitle);
        left(t(TextId::MouseSpeed), L::pointerTitle(1));
        left(t(TextId::ScrollingSpeed), L::pointerTitle(2));
        left(t(TextId::DoubleClickSpeed), L::pointerTitle(3));
        centre(guideLinkText(v_.language), L::kLink);
        centre(t(TextId::Ok), L::kOk);
        centre(t(TextId::Apply), L::kApply);
        centre(t(TextId::Cancel), L::kCancel);
        centre(t(TextId::Default), L::kDefault);
        for (int s = 1; s <= L::kStages; ++s) left(kDigits[s], L::stageNumber(s));
        for (int k = 1; k <= L::kPageButtons; ++k) left(kDigits[k], numberPart(k));

        for (int k = 1; k <= L::kPageButtons; ++k) left(label(k), labelPart(k));
        modeButtons();

        for (int k = 1; k <= 4; ++k) centreTop(reportRateKnobLabel(k), L::knobLabel(k));
        for (const auto& [id, n] : {std::pair{TextId::Mode, 1}, std::pair{TextId::Parameter, 2},
                                    std::pair{TextId::Effect, 3}}) {
            c_.drawText(t(id), L::lightingCaption(n), TextFormat::CentreWrapUp, FontRole::Body);
        }
        for (int s = 1; s <= L::kStages; ++s) centreTop(kDigits[s], L::stageTickNumber(s));
        centre(v_.lighting.mode, L::lightingBox(1));
        centre(v_.lighting.parameter, L::lightingBox(2));
        centre(v_.lighting.effect, L::lightingBox(3));
        left(t(TextId::EnhancePointerPrecision), L::pointerTickLabel(1));
        left(t(TextId::ScrollOneScreen), L::pointerTickLabel(2));

        // Each build starts with new swatches, so the value labels come too;
        // drawn onto the page background itself, they need no eraser.
        for (int s = 1; s <= L::kStages; ++s) stageValueLabel(s, false);

        knob(knobOfReportRateCode(v_.record[rec::kReportRateCode]));

        for (int s = 1; s <= L::kStages; ++s) {
            const bool ticked = stageTicked(v_.record, stageIndex(s));
            image(ticked ? kTickOn : kTickOff, L::stageTick(s));
            stageSlider(s, ticked ? stageLevel(v_.record, stageIndex(s)) + 1 : 0);
        }
        for (int slider = 1; slider <= 3; ++slider) pointerSlider(slider);
        pointerTick(1);
        pointerTick(2);
    }

    static Rect numberPart(int k) {
        Rect r = L::box(k);
        r.right = r.left + L::kBoxNumberWidth;
        return r;
    }
    static Rect labelPart(int k) {
        Rect r = L::box(k);
        r.left += L::kBoxNumberWidth;
        return r;
    }
    const std::u16string& label(int k) const {
        return v_.labels.of(v_.record.modeShown(), static_cast<std::size_t>(k));
    }

    void box(int k, bool over) {
        if (k < 1 || k > L::kPageButtons) return;
        image(over ? kBoxOver : kBoxNormal, L::box(k));
        left(kDigits[k], numberPart(k));
        left(label(k), labelPart(k));
    }

    void modeButtons() {
        const bool modeB = v_.record.modeShown() == Mode::B;
        image(modeB ? kButtonNormal : kButtonOver, L::kModeA);
        image(modeB ? kButtonOver : kButtonNormal, L::kModeB);
        centre(u"Mode A", L::kModeA);
        centre(u"Mode B", L::kModeB);
    }

    void textButton(int id, bool over) {
        struct Entry {
            int id;
            Rect rect;
            TextId caption;
        };
        constexpr Entry buttons[] = {{kOkButton, L::kOk, TextId::Ok},
                                     {kApplyButton, L::kApply, TextId::Apply},
                                     {kCancelButton, L::kCancel, TextId::Cancel},
                                     {kDefaultButton, L::kDefault, TextId::Default}};
        for (const Entry& b : buttons) {
            if (b.id != id) continue;
            image(over ? kButtonOver : kButtonNormal, b.rect);
            centre(t(b.caption), b.rect);
        }
    }

    void frameButton(int id, bool over) {
        if (id == kMinimiseButton) {
            image(over ? u"/button-min-over.png" : u"/button-min-normal.png", L::kMinimise);
        } else if (id == kCloseButton) {
            image(over ? u"/button-close-over.png" : u"/button-close-normal.png", L::kClose);
        }
    }

    void knob(int k) {
        if (k < 1 || k > 4) return;
        const bool lit = knobOfReportRateCode(v_.record[rec::kReportRateCode]) == k;
        image(lit ? kKnobLight : kKnobDark, L::knob(k));
    }

    void stageSlider(int s, int lit) {
        if (s < 1 || s > L::kStages) return;
        for (int j = 1; j <= L::kStageSegments; ++j) {
            image(j <= lit ? kStageLight : kStageDark, L::stageSegment(s, j));
        }
    }

    void stageValueLabel(int s, bool erase) {
        if (s < 1 || s > L::kStages) return;
        if (erase) image(kStageLabelBack, L::stageValueLabel(s));
        const std::u16string_view label =
            dpiLevelLabel(v_.sensorType, stageLevel(v_.record, stageIndex(s)));
        if (!label.empty()) centre(label, L::stageValueLabel(s));
    }

    void pointerSlider(int slider) {
        if (slider < 1 || slider > 3) return;
        const int position = pointerSliderPosition(v_.record, static_cast<PointerSlider>(slider));
        for (int j = 1; j <= L::kPointerSegments; ++j) {
            image(j <= position ? kPointerLight : kPointerDark, L::pointerSegment(slider, j));
        }
    }

    void pointerTick(int tick) {
        const std::size_t field = tick == 1 ? rec::kPointerPrecision : rec::kScrollOneScreen;
        if (tick != 1 && tick != 2) return;
        image(v_.record[field] == 1 ? kTickOn : kTickOff, L::pointerTick(tick));
    }

    void lightingBox(int n) {
        if (n < 1 || n > 3) return;
        image(kButtonNormal, L::lightingBox(n));
        const std::u16string& shown = n == 1   ? v_.lighting.mode
                                      : n == 2 ? v_.lighting.parameter
                                               : v_.lighting.effect;
        centre(shown, L::lightingBox(n));
    }

    Canvas& c_;
    const PageView& v_;
};

}  // namespace

void drawPage(Canvas& canvas, const Redraw& redraw, const PageView& view) {
    Painter painter(canvas, view);
    for (const ElementDraw& e : redraw) painter.element(e);
    if (!redraw.empty() && view.focusMark >= 0) {
        canvas.drawFocusFrame(focusMarkRect(view.focusMark), kFocusMarkWidth);
    }
}

}  // namespace trv::ui
