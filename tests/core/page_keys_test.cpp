// The page without a pointer: the focus reaches every control once, the keys
// change what the pointer's presses change and nothing else, a session of
// keys alone writes what the pointer's session writes, and screen readers get
// each control's name, role, state and value.

#include <gtest/gtest.h>

#include <set>

#include "perf/dpi.h"
#include "program_fixture.h"
#include "support/recording_canvas.h"
#include "ui/page_access.h"
#include "ui/page_focus.h"
#include "ui/page_layout.h"

namespace trv {
namespace {

using testing::Bytes;
using testing::craftedRecord;
using testing::Program;
using ui::Key;
using ui::KeyStep;
using ui::ListId;

constexpr int kReportRateStop = 10;
constexpr int kApplyStop = 29;

void tabTo(MainWindowModel& model, int stop) {
    for (int n = 0; n <= ui::kFocusStops && model.focus().stop != stop; ++n) {
        model.key(Key::Tab, std::nullopt, false);
    }
    ASSERT_EQ(model.focus().stop, stop);
}

void keys(MainWindowModel& model, std::initializer_list<Key> pressed) {
    for (Key k : pressed) model.key(k, std::nullopt, false);
}

TEST(PageFocus, TabVisitsEveryControlThePointerCanPressOnceAndRoundAgain) {
    // Every element a press can reach, found by pressing every pixel.
    std::set<int> pressable;
    for (int y = 0; y < ui::layout::kPageHeight; ++y) {
        for (int x = 0; x < ui::layout::kPageWidth; ++x) {
            const ui::PagePress hit = ui::pageElementAt(x, y, true);
            if (hit.target == ui::PressTarget::Background) continue;
            const std::optional<int> stop = ui::stopOfPress(hit);
            ASSERT_TRUE(stop) << "no stop for the press at " << x << "," << y;
            pressable.insert(*stop);
        }
    }
    EXPECT_EQ(pressable.size(), static_cast<std::size_t>(ui::kFocusStops));

    const SettingsRecord record = craftedRecord();
    for (bool live : {true, false}) {
        ui::PageFocus focus;
        std::vector<int> visited;
        for (int n = 0; n < ui::kFocusStops + 1; ++n) {
            const auto steps =
                ui::pageKeySteps(focus, Key::Tab, {record, live, std::nullopt, false});
            ASSERT_EQ(steps.size(), 1u);
            focus.stop = steps[0].stop;
            visited.push_back(focus.stop);
        }
        const std::size_t answering = live ? ui::kFocusStops : 6;  // link .. close
        EXPECT_EQ(std::set<int>(visited.begin(), visited.end()).size(), answering);
        EXPECT_EQ(visited[answering], visited[0]) << "round again";
        EXPECT_EQ(
            ui::pageKeySteps(focus, Key::ShiftTab, {record, live, std::nullopt, false})[0].stop,
            visited[ui::kFocusStops - 1]);
    }
    EXPECT_EQ(ui::focusStop(kReportRateStop).kind, ui::FocusKind::ReportRate);
    EXPECT_EQ(ui::focusStop(kApplyStop).kind, ui::FocusKind::Apply);
}

TEST(PageFocus, InAnOpenListArrowsSelectSpaceChoosesEscapeAndTabCloseItThroughItsBox) {
    const SettingsRecord record = craftedRecord();
    const ui::PageFocus onBox3{4, true, false};
    const ui::OpenListKeys list{ui::assignmentList(3), -1, 14};
    const ui::KeyContext open{record, true, list, true};
    const auto select = [](ListId id, int item) {
        return KeyStep{KeyStep::Kind::SelectItem, -1, 0, 0, id, item};
    };
    const KeyStep closeByBox{KeyStep::Kind::Press, -1, 124, 302};  // box 3's middle

    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Down, open),
              std::vector<KeyStep>{select(ui::assignmentList(3), 0)});
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::End, open),
              std::vector<KeyStep>{select(ui::assignmentList(3), 13)});
    EXPECT_TRUE(ui::pageKeySteps(onBox3, Key::Space, open).empty()) << "nothing selected yet";
    ui::KeyContext selected = open;
    selected.list->selection = 5;
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Enter, selected),
              (std::vector<KeyStep>{{KeyStep::Kind::Choose, -1, 0, 0, ui::assignmentList(3), 5}}));
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Right, selected),
              (std::vector<KeyStep>{{KeyStep::Kind::SubList, -1, 0, 0, ui::assignmentList(3), 1},
                                    select(ListId::DpiSubList, 0)}));
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Escape, open), std::vector<KeyStep>{closeByBox});
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Tab, open),
              (std::vector<KeyStep>{closeByBox, {KeyStep::Kind::Focus, 5}}));
    // With no list open, Enter and Escape hide the window, page or not.
    EXPECT_EQ(ui::pageKeySteps(onBox3, Key::Escape, {record, false, std::nullopt, false}),
              std::vector<KeyStep>{{KeyStep::Kind::Hide}});
}

TEST_F(Program, KeysChangeExactlyTheRecordFieldsThePointersPressesChange) {
    MainWindowModel& byKeys = start();
    MainWindowModel byPointer(ModelServices{*hid_, clock_, window_, files_, *strIni_, pointer_,
                                            [] { return testing::kBackupDate; }},
                              settingsFilePaths(folder_.path16("TRV418.exe")));
    byPointer.startUp();
    struct Row {
        int stop;
        Key key;
        int x, y;  // the pointer's press that does the same
    };
    const Row rows[] = {
        {1, Key::Space, 177, 207},               // Mode B
        {1, Key::ModeToggle, 71, 207},           // Alt+M: back to Mode A
        {kReportRateStop, Key::Left, 390, 124},  // 500 Hz -> 250 Hz
        {kReportRateStop, Key::End, 532, 124},   // 1000 Hz
        {15, Key::Right, 530, 358},              // stage 2: segment 7 -> 8
        {15, Key::Home, 404, 358},               // segment 1
        {15, Key::Space, 589, 549},              // stage 2's tick
        {24, Key::Up, 740, 260},                 // scroll lines: 3 -> 4
        {24, Key::End, 908, 260},
        {23, Key::Space, 664, 174},  // "Enhance Pointer Precision"
        {9, Key::Space, 124, 470},   // Default
    };
    for (const Row& row : rows) {
        const SettingsRecord before = byKeys.record();
        tabTo(byKeys, row.stop);
        byKeys.key(row.key, std::nullopt, false);
        byPointer.press(row.x, row.y);
        EXPECT_NE(byKeys.record(), before) << "stop " << row.stop;
        EXPECT_EQ(byKeys.record(), byPointer.record()) << "stop " << row.stop;
        EXPECT_EQ(byKeys.labels(), byPointer.labels()) << "stop " << row.stop;
    }
}

TEST_F(Program, AKeyboardOnlySessionWritesTheBlockThePointersSessionWrites) {
    const ConfigBlock factory = mouse_->contents();
    const Bytes config = fileBytes("config.bin");

    // The session of the page's end-to-end pointer test.
    MainWindowModel& pointerSession = start();
    for (auto [x, y] : {std::pair{367, 124}, {473, 358}, {643, 549}, {858, 260}, {664, 310}}) {
        pointerSession.press(x, y);
    }
    EXPECT_FALSE(pointerSession.press(760, 502).hide) << "Apply";
    const ConfigBlock pointerBlock = mouse_->contents();
    const Bytes pointerConfig = fileBytes("config.bin");
    ASSERT_NE(pointerBlock, factory);

    mouse_->contents() = factory;
    folder_.write("config.bin", config);
    MainWindowModel& keySession = start();
    tabTo(keySession, kReportRateStop);
    keys(keySession, {Key::Home, Key::Right});  // 250 Hz
    tabTo(keySession, 15);
    keys(keySession, {Key::Home, Key::Right, Key::Right, Key::Right, Key::Right});  // segment 5
    tabTo(keySession, 17);
    keys(keySession, {Key::Space});  // stage 4's tick
    tabTo(keySession, 24);
    keys(keySession, {Key::End, Key::Left, Key::Left});  // 9 lines
    keys(keySession, {Key::Tab, Key::Space});            // "Scroll One Screen"
    tabTo(keySession, kApplyStop);
    EXPECT_FALSE(keySession.key(Key::Space, std::nullopt, false).press.hide);

    EXPECT_EQ(mouse_->contents(), pointerBlock);
    EXPECT_EQ(fileBytes("config.bin"), pointerConfig);
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 4);
}

TEST_F(Program, TheFocusMarkShowsFromTheFirstKeyOverEveryRedrawAndNeverForThePointer) {
    MainWindowModel& model = start();
    EXPECT_TRUE(model.press(71, 207).redraw.size() <= 1) << "no page redraw for the pointer";
    EXPECT_EQ(model.pageView().focusMark, -1);

    const ui::Redraw shown = model.key(Key::Tab, std::nullopt, false).press.redraw;
    EXPECT_EQ(shown, (ui::Redraw{{ui::Element::Page}}));
    testing::RecordingCanvas canvas;
    ui::drawPage(canvas, {{ui::Element::Box, 1, 1}}, model.pageView());
    EXPECT_EQ(canvas.calls.back(), "focus 123,195 109x25 /2") << "Mode B, drawn last";

    // A press moves the shown mark; the close button's keeps to the page.
    EXPECT_NE(model.press(951, 25).redraw, ui::Redraw{});
    EXPECT_EQ(ui::focusMarkRect(32), (ui::Rect{940, 15, 960, 37}));
}

TEST_F(Program, ScreenReadersHearEachControlsNameRoleStateValueAndPlace) {
    MainWindowModel& model = start();
    tabTo(model, kReportRateStop);
    ui::AccessibleControl rate = model.accessibleControl(kReportRateStop, true);
    EXPECT_EQ(rate.name, u"Report Rate Setting");
    EXPECT_EQ(rate.role, ui::AccessRole::RadioButton);
    EXPECT_EQ(rate.value, u"500 Hz");
    EXPECT_EQ(rate.state, ui::kAccessFocusable | ui::kAccessFocused);
    EXPECT_EQ(rate.rect, (ui::Rect{286, 119, 569, 160}));
    model.key(Key::Left, std::nullopt, false);
    EXPECT_EQ(model.accessibleControl(kReportRateStop, true).value, u"250 Hz");
    EXPECT_EQ(model.accessibleControl(kReportRateStop, false).state, ui::kAccessFocusable);

    const ui::AccessibleControl stage2 = model.accessibleControl(15, false);
    EXPECT_EQ(stage2.name, u"DPI stage 2");
    EXPECT_EQ(stage2.value, std::u16string(dpiLevelLabel(model.sensorType(), 6)) + u" DPI");
    EXPECT_EQ(stage2.state & ui::kAccessChecked, 0u);
    EXPECT_EQ(stage2.defaultAction, u"Check");
    EXPECT_NE(model.accessibleControl(19, false).state & ui::kAccessUnavailable, 0u)
        << "an unticked stage's colour";
    const ui::AccessibleControl speed = model.accessibleControl(22, false);
    EXPECT_EQ(speed.value, u"6 of 11");
    EXPECT_EQ(speed.defaultAction, u"");
    const ui::AccessibleControl box1 = model.accessibleControl(2, false);
    EXPECT_EQ(box1.name, u"Button 1");
    EXPECT_EQ(box1.value, model.labels().of(Mode::A, 1));
    EXPECT_EQ(box1.state, ui::kAccessFocusable | ui::kAccessCollapsed);
    EXPECT_EQ(model.accessibleControl(0, false).state,
              ui::kAccessFocusable | ui::kAccessChecked | ui::kAccessPressed);

    EXPECT_EQ(ui::controlName(kApplyStop, Language::Bulgarian), u"Приложи");
    EXPECT_EQ(ui::controlName(3, Language::Bulgarian), u"Бутон 2");
    EXPECT_EQ(ui::controlName(18, Language::SimplifiedChinese), u"DPI第1段颜色");

    EXPECT_EQ(ui::accessChanges(model.selectReportRate(1)),
              (std::vector<ui::AccessChange>{{kReportRateStop, ui::AccessEvent::ValueChange}}));
    EXPECT_EQ(ui::accessChanges(model.toggleStageTick(2)),
              (std::vector<ui::AccessChange>{{15, ui::AccessEvent::StateChange},
                                             {19, ui::AccessEvent::StateChange},
                                             {15, ui::AccessEvent::ValueChange}}));
}

TEST_F(Program, BeforeTheMouseIsFoundOnlyTheWindowFramesControlsAnswer) {
    hid_->plugged = false;
    MainWindowModel& model = start();
    EXPECT_EQ(model.accessibleControl(2, false).state & ui::kAccessUnavailable,
              ui::kAccessUnavailable);
    EXPECT_EQ(model.accessibleControl(kApplyStop, false).state, ui::kAccessFocusable);
    tabTo(model, 27);  // the guide link comes first
    EXPECT_TRUE(model.key(Key::Escape, std::nullopt, false).press.hide);
}

}  // namespace
}  // namespace trv
