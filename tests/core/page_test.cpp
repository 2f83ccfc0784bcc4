// The settings page as the user meets it: which element a press reaches, what
// each press changes and redraws, the over looks, and what the page build
// draws, read from a recording canvas.

#include <gtest/gtest.h>

#include "perf/dpi.h"
#include "program_fixture.h"
#include "support/recording_canvas.h"
#include "ui/page_draw.h"
#include "ui/page_hover.h"
#include "ui/page_layout.h"
#include "ui/page_press.h"

namespace trv {
namespace {

using testing::configBin;
using testing::craftedRecord;
using testing::Program;
using testing::RecordingCanvas;
using ui::Element;
using ui::ElementDraw;
using ui::ListId;
using ui::PagePress;
using ui::PressTarget;
using ui::Redraw;

TEST(PageHitTest, EachPressReachesTheElementOfTheFirstRegionThatHoldsIt) {
    struct Row {
        int x, y;
        bool live;
        PagePress expected;
    };
    const Row rows[] = {
        {611, 492, true, {PressTarget::Ok}},
        {716, 500, true, {PressTarget::Background}},  // OK's right edge is not OK's
        {717, 500, true, {PressTarget::Apply}},
        {927, 512, true, {PressTarget::Cancel}},
        {923, 17, false, {PressTarget::Minimise}},
        {959, 34, false, {PressTarget::Close}},
        {333, 496, false, {PressTarget::Link}},
        {20, 250, false, {PressTarget::Background}},  // the page is not live yet
        {20, 250, true, {PressTarget::Box, 1}},
        {229, 404, true, {PressTarget::Box, 7}},
        {19, 407, true, {PressTarget::Background}},   // the eighth box is only a picture
        {124, 200, true, {PressTarget::Background}},  // between Mode A and Mode B
        {125, 200, true, {PressTarget::ModeB}},
        {72, 460, true, {PressTarget::Default}},
        {356, 125, true, {PressTarget::Background}},  // between knobs 1 and 2
        {357, 125, true, {PressTarget::Knob, 2}},
        {569, 556, true, {PressTarget::StageTick, 1}},
        {596, 556, true, {PressTarget::StageTick, 2}},
        {306, 420, true, {PressTarget::StageSwatch, 4}},
        {500, 260, true, {PressTarget::LightingBox, 3}},
        {396, 315, true, {PressTarget::StageSegment, 1, 1}},
        {537, 435, true, {PressTarget::StageSegment, 4, 8}},
        {656, 166, true, {PressTarget::PrecisionTick}},
        {671, 317, true, {PressTarget::OneScreenTick}},
        {919, 401, true, {PressTarget::PointerSegment, 3, 11}},
        {680, 130, true, {PressTarget::Background}},  // below the speed slider
        {800, 300, true, {PressTarget::Background}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ui::pageElementAt(row.x, row.y, row.live), row.expected)
            << row.x << "," << row.y << (row.live ? " live" : "");
    }
}

TEST(PageHover, OverLooksFollowThePointerAndComeBackOnlyOverAFreePartOfThePage) {
    ui::HoverMarks marks;
    EXPECT_TRUE(ui::pointerMoved(marks, 650, 500, true).trackHover);
    EXPECT_EQ(ui::pointerHovered(marks, 650, 500, true), (Redraw{{Element::TextButton, 1, 1}}));
    // Onto Apply: Apply lit and OK back, in one update.
    EXPECT_EQ(ui::pointerHovered(marks, 750, 500, true),
              (Redraw{{Element::TextButton, 1, 0}, {Element::TextButton, 2, 1}}));
    EXPECT_TRUE(marks.apply && !marks.ok);
    // From the close button straight out: it keeps its look until a free spot.
    ui::pointerHovered(marks, 950, 20, true);
    EXPECT_EQ(ui::pointerMoved(marks, 800, 300, true).redraw,
              (Redraw{{Element::TextButton, 2, 0}, {Element::FrameButton, 2, 0}}));
    EXPECT_FALSE(marks.any());
    // Boxes and Default react only on a live page; the eighth box never.
    EXPECT_FALSE(ui::pointerMoved(marks, 20, 250, false).trackHover);
    EXPECT_TRUE(ui::pointerHovered(marks, 20, 250, false).empty());
    EXPECT_FALSE(ui::pointerMoved(marks, 20, 410, true).trackHover);
    ui::pointerHovered(marks, 20, 250, true);
    EXPECT_EQ(ui::pointerHovered(marks, 20, 273, true),
              (Redraw{{Element::Box, 1, 0}, {Element::Box, 2, 1}}));
}

// --- Presses on the built page ------------------------------------------------

TEST_F(Program, EveryControlPressChangesItsFieldAndRedrawsOnlyItsElement) {
    MainWindowModel& model = start();
    struct Row {
        const char* what;
        int x, y;
        std::size_t field;
        std::uint8_t value;
        Redraw redraw;
    };
    // The crafted record: 500 Hz, stages 1 and 3 ticked at levels 7 and 5,
    // precision ticked, one screen not.
    const Row rows[] = {
        {"knob 250 Hz",
         360,
         120,
         rec::kReportRateCode,
         4,
         {{Element::Knob, 2, 0}, {Element::Knob, 3, 0}}},
        {"stage 2 segment 3, unticked",
         432,
         350,
         rec::kStageLevel + 1,
         2,
         {{Element::StageSlider, 2, 3}, {Element::StageValueLabel, 2, 0}}},
        {"stage 2 tick",
         581,
         541,
         rec::kStageEnabled + 1,
         1,
         {{Element::StageTick, 2, 0}, {Element::StageSlider, 2, 3}}},
        {"stage 1 tick off",
         554,
         541,
         rec::kStageEnabled,
         0,
         {{Element::StageTick, 1, 0}, {Element::StageSlider, 1, 0}}},
        {"scrolling segment 9",
         850,
         260,
         rec::kScrollLinesPos,
         9,
         {{Element::PointerSlider, 2, 0}}},
        {"precision tick", 660, 170, rec::kPointerPrecision, 0, {{Element::PointerTick, 1, 0}}},
        {"one-screen tick", 660, 305, rec::kScrollOneScreen, 1, {{Element::PointerTick, 2, 0}}},
        {"Mode B", 130, 200, rec::kModeShown, 1, {{Element::ModeAndBoxes, 0, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SettingsRecord before = model.record();
        const PressOutcome outcome = model.press(row.x, row.y);
        EXPECT_EQ(outcome.redraw, row.redraw);
        EXPECT_FALSE(outcome.drag);
        SettingsRecord expected = before;
        expected[row.field] = row.value;
        EXPECT_EQ(model.record(), expected);
    }
}

TEST_F(Program, PressesThatChangeNothingRedrawNothing) {
    MainWindowModel& model = start();
    model.press(554, 541);  // stage 1 off: stage 3 is now the only one ticked
    const SettingsRecord before = model.record();
    EXPECT_TRUE(model.press(608, 541).redraw.empty()) << "the last tick stays";
    EXPECT_TRUE(model.press(430, 120).redraw.empty()) << "the lit knob again";
    const PressOutcome swatch = model.press(310, 350);  // stage 2 is not ticked
    EXPECT_EQ(swatch.chooseColourOfStage, 0);
    EXPECT_FALSE(swatch.drag) << "not even a drag";
    EXPECT_EQ(model.press(310, 385).chooseColourOfStage, 3);
    EXPECT_EQ(model.record(), before);
}

TEST_F(Program, FramePressesHideExitDragOrOpenTheGuide) {
    MainWindowModel& model = start();
    EXPECT_TRUE(model.press(930, 20).hide);
    EXPECT_TRUE(model.press(950, 20).exit);
    EXPECT_TRUE(model.press(400, 500).openGuide);
    EXPECT_TRUE(model.press(800, 300).drag);
    const PressOutcome ok = model.press(611, 492);
    EXPECT_TRUE(ok.hide && ok.drag);
    const PressOutcome apply = model.press(720, 500);
    EXPECT_TRUE(apply.drag && !apply.hide);
    EXPECT_EQ(mouse_->wireLog().size() > 0, true);
    const PressOutcome cancel = model.press(830, 500);
    EXPECT_TRUE(cancel.hide && cancel.drag);
}

TEST_F(Program, LightingListsOpenCloseAndCommitAsTheModeAllows) {
    MainWindowModel& model = start();  // Standard mode, brightness 4
    PressOutcome outcome = model.press(300, 250);
    ASSERT_TRUE(outcome.openList);
    EXPECT_EQ(outcome.openList->id, ListId::LightMode);
    EXPECT_EQ(outcome.openList->items.size(), 3u);

    // A press inside the open list's rectangle leaves it open; one on Mode B
    // closes it before switching.
    EXPECT_TRUE(model.press(300, 300).closeLists.empty());
    outcome = model.press(130, 200);
    EXPECT_EQ(outcome.closeLists, std::vector<ListId>{ListId::LightMode});
    EXPECT_EQ(outcome.redraw, (Redraw{{Element::ModeAndBoxes, 0, 0}}));

    outcome = model.press(400, 250);  // brightness list, ten items, the long rectangle
    ASSERT_TRUE(outcome.openList);
    EXPECT_EQ(outcome.openList->items.size(), 10u);
    EXPECT_EQ(outcome.openList->rect, ui::layout::kBrightnessList);
    Redraw redraw;
    EXPECT_FALSE(model.chooseFromList(ListId::LightParameter, -1, redraw)) << "no selection";
    ASSERT_TRUE(model.chooseFromList(ListId::LightParameter, 9, redraw));
    EXPECT_EQ(redraw, (Redraw{{Element::LightingBox, 2, 0}}));
    EXPECT_EQ(model.lightingTexts().parameter, u"100%");
    EXPECT_FALSE(model.openLists().lighting[1]);

    // Off mode: the Parameter box opens nothing, twice over.
    model.press(300, 250);
    ASSERT_TRUE(model.chooseFromList(ListId::LightMode, 0, redraw));
    EXPECT_EQ(model.lightingTexts(), (LightingTexts{u"Off Mode", u"", u""}));
    EXPECT_FALSE(model.press(400, 250).openList);
    EXPECT_FALSE(model.press(400, 250).openList);
    EXPECT_EQ(model.record()[rec::kLightMode], 0);
}

TEST_F(Program, DefaultPutsTheFactoryAssignmentsBackInBothModes) {
    MainWindowModel& model = start();
    EXPECT_EQ(model.press(100, 470).redraw, (Redraw{{Element::ModeAndBoxes, 0, 0}}));
    EXPECT_EQ(model.record().button(rec::kAssignType, Mode::B, 4), 3);
    EXPECT_EQ(model.labels().of(Mode::A, 6), u"DPI Loop");
}

// --- The page build, drawn ----------------------------------------------------

TEST_F(Program, FirstRunPageShowsAllStagesTickedAndTheSystemsPointerSettings) {
    folder_.write("config.bin", configBin(0, craftedRecord()));
    pointer_.speed = 10;  // position 6
    pointer_.lines = 3;
    pointer_.parameters = {0, 0, 0};
    MainWindowModel& model = start();
    RecordingCanvas canvas;
    ui::drawPage(canvas, {{Element::Page}}, model.pageView());

    EXPECT_EQ(canvas.calls.front(), "/BasicSet2.png 0,0");
    EXPECT_EQ(canvas.count("/PaneMakingTick.png"), 4);  // every stage, precision off
    EXPECT_TRUE(canvas.drew("/Pane.png 656,166"));
    EXPECT_TRUE(canvas.drew("/slider-light.png 776,119")) << "speed segment 6 lit";
    EXPECT_TRUE(canvas.drew("/slider-dark.png 800,119")) << "segment 7 dark";
    EXPECT_TRUE(canvas.drew("/slider-light.png 704,255"));
    EXPECT_TRUE(canvas.drew("/slider-RP-light.png 428,119")) << "500 Hz";
    EXPECT_TRUE(canvas.drew("text 3200 @322,315"));
    EXPECT_TRUE(canvas.drew("text Left Click @39,246"));
    EXPECT_TRUE(canvas.drew("text Standard Mode @286,240"));
    EXPECT_TRUE(canvas.drew("text User guide @333,496"));
    EXPECT_TRUE(canvas.drew("/button-over.png 19,197")) << "Mode A shown";
    EXPECT_LT(canvas.calls.size(), 200u);
}

TEST_F(Program, ModeBShownWearsTheOverLookAndItsOwnLabels) {
    strIni_->write(u"Setting-EN", u"Item13", u"B's first");
    MainWindowModel& model = start();
    model.press(130, 200);
    RecordingCanvas canvas;
    ui::drawPage(canvas, {{Element::ModeAndBoxes}}, model.pageView());
    EXPECT_EQ(canvas.calls[0], "/button-normal.png 19,197");
    EXPECT_EQ(canvas.calls[1], "/button-over.png 125,197");
    EXPECT_TRUE(canvas.drew("text B's first @39,246"));
    EXPECT_EQ(canvas.count("/DropdownBox-normal.png"), 7);
}

TEST_F(Program, AStageLevelOnASensorWithoutATableErasesTheLabelAndWritesNone) {
    mouse_->contents().image[block::kSensorType] = 5;
    MainWindowModel& model = start();
    RecordingCanvas canvas;
    ui::drawPage(canvas, model.press(400, 315).redraw, model.pageView());
    EXPECT_EQ(canvas.calls.back(), "/BK-DPI.png 322,315");
    EXPECT_EQ(canvas.count("/slider-DPI-light.png"), 1);
}

// --- The assignment lists ----------------------------------------------------

class ScriptedDialogs final : public AssignmentDialogs {
  public:
    std::optional<WindowsChoice> windowsFunction() override { return std::nullopt; }
    std::optional<MediaChoice> multimedia() override { return MediaChoice{3, u"Stop"}; }
    std::optional<HotKeyChoice> hotKey() override { return std::nullopt; }
    std::optional<FireKeyChoice> fireKey() override {
        ++runs;
        return FireKeyChoice{5, u"A", 12, 20, 30};
    }
    std::optional<SingleKeyChoice> singleKey() override { return std::nullopt; }
    std::optional<SnipeChoice> snipe(std::uint8_t) override { return std::nullopt; }
    int runs = 0;
};

TEST_F(Program, ABoxOpensItsListAndAPickChangesTheButtonAndItsBoxOnce) {
    MainWindowModel& model = start();
    PressOutcome outcome = model.press(100, 300);  // box 3
    ASSERT_TRUE(outcome.openList);
    EXPECT_EQ(outcome.openList->id, ui::assignmentList(3));
    EXPECT_EQ(outcome.openList->rect, ui::layout::assignmentList(3));
    EXPECT_EQ(outcome.openList->items.size(), 14u);

    // Over "DPI Switch" the sub-list shows; a step from it makes button 3 a
    // DPI switch in the mode shown.
    EXPECT_TRUE(model.hoverAssignmentItem(3, 5));
    EXPECT_FALSE(model.hoverAssignmentItem(3, 6));
    EXPECT_TRUE(model.hoverAssignmentItem(3, 5));
    Redraw redraw;
    EXPECT_EQ(model.chooseDpiStep(0, redraw), 3);
    EXPECT_EQ(redraw, (Redraw{{Element::Box, 3, 0}}));
    EXPECT_EQ(model.labels().of(Mode::A, 3), u"DPI +");
    EXPECT_EQ(model.record().button(rec::kDpiSwitchCode, Mode::A, 3), 3);

    // Fire Key with its dialog; the double click's second notice does nothing.
    model.press(100, 300);
    ScriptedDialogs dialogs;
    redraw.clear();
    EXPECT_TRUE(model.chooseAssignment(3, 9, dialogs, redraw));
    EXPECT_FALSE(model.chooseAssignment(3, 9, dialogs, redraw));
    EXPECT_EQ(dialogs.runs, 1);
    EXPECT_EQ(redraw, (Redraw{{Element::Box, 3, 0}}));
    EXPECT_EQ(model.labels().of(Mode::A, 3), u"Fire Key-A");
    EXPECT_EQ(model.record().button(rec::kFireTimes, Mode::A, 3), 12);
}

TEST_F(Program, TheOnlyLeftClickButtonsListStaysShutWithAWarning) {
    MainWindowModel& model = start();
    const PressOutcome outcome = model.press(100, 250);  // box 1, Mode A's only Left Click
    EXPECT_FALSE(outcome.openList);
    EXPECT_EQ(window_.shown,
              (std::vector<testing::Shown>{{u"Left key must be selected!", u"Warning"}}));
}

}  // namespace
}  // namespace trv
