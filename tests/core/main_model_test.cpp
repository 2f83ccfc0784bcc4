// The program's state as a whole: start-up against the virtual mouse and the
// files beside the executable, then the page's choices, OK, Apply and Cancel
// and device notifications as they come, judged by what the mouse, the files
// and the window (messages, balloons, redraws) see.

#include "app/main_model.h"

#include <gtest/gtest.h>

#include <utility>

#include "perf/dpi.h"
#include "program_fixture.h"
#include "settings/owned_fields.h"

namespace trv {
namespace {

using testing::Bytes;
using testing::configBin;
using testing::craftedRecord;
using testing::Program;
using testing::Shown;

const Shown kReadFailed{u"The system did not detect the gaming mouse!", u"ReadOperation"};

// --- Start-up ----------------------------------------------------------------

TEST_F(Program, StartUpRunsItsStepsInOrderAndBuildsThePageQuietly) {
    strIni_->write(u"Skins", u"Path", u"Blue");
    strIni_->write(u"Skins", u"RColor", u"300");
    strIni_->write(u"Setting-EN", u"Item43", u"Snipe Key");
    mouse_->contents().image[block::kSensorType] = 1;
    MainWindowModel& model = start();
    EXPECT_EQ(window_.events, (std::vector<std::string>{"register", "skin", "page"}));
    EXPECT_TRUE(model.mousePresent());
    EXPECT_TRUE(model.blockComplete());
    EXPECT_EQ(model.block(), mouse_->contents());
    EXPECT_EQ(model.sensorType(), 1);
    EXPECT_EQ(model.record(), craftedRecord());
    EXPECT_EQ(model.savedRecord(), craftedRecord());
    EXPECT_FALSE(model.firstRun());
    EXPECT_EQ(model.pageState(), PageState::Shown);
    EXPECT_EQ(model.labels().of(Mode::B, 4), u"Snipe Key");
    EXPECT_EQ(model.skin().red, 44);
    EXPECT_EQ(model.skinFolder(), folder_.path16("") + u"/Skins/Blue");
    EXPECT_EQ(model.lightingTexts().mode, u"Standard Mode");
    EXPECT_TRUE(window_.shown.empty());
}

TEST_F(Program, StartUpWithARefusedReadSaysSoAndLeavesSensorTypeZero) {
    mouse_->contents().image[block::kSensorType] = 1;
    mouse_->faults().wrongSignature = true;
    MainWindowModel& model = start();
    EXPECT_EQ(window_.events, (std::vector<std::string>{"message", "register", "skin", "page"}));
    EXPECT_EQ(window_.shown, std::vector<Shown>{kReadFailed});
    EXPECT_TRUE(model.mousePresent());
    EXPECT_EQ(model.sensorType(), 0);
    EXPECT_FALSE(model.blockComplete());
}

TEST_F(Program, StartUpWithoutTheMouseSaysNothingAndBuildsNoPage) {
    hid_->plugged = false;
    MainWindowModel& model = start();
    EXPECT_EQ(window_.events, (std::vector<std::string>{"register", "skin"}));
    EXPECT_FALSE(model.mousePresent());
    EXPECT_EQ(model.pageState(), PageState::NotBuilt);
    EXPECT_TRUE(window_.shown.empty());
}

TEST_F(Program, FailedRegistrationEndsStartUpWithNothingLoadedAndOkWritesNothing) {
    window_.registrationSucceeds = false;
    MainWindowModel& model = start();
    EXPECT_EQ(window_.events, (std::vector<std::string>{"register", "message"}));
    EXPECT_EQ(window_.shown, (std::vector<Shown>{{u"RegisterDeviceNotification failed!!!", u""}}));
    EXPECT_FALSE(model.settingsLoaded());
    strIni_->write(u"Setting-EN", u"Item1", u"Mine");
    const ConfigBlock mouseBefore = mouse_->contents();
    const Bytes configBefore = fileBytes("config.bin");
    const Bytes strIniBefore = fileBytes("str.ini");

    // The icon still shows the window, but no page of a record of zeros.
    EXPECT_TRUE(model.trayClick());
    EXPECT_EQ(model.pageState(), PageState::NotBuilt);
    EXPECT_FALSE(model.confirm());

    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_EQ(fileBytes("str.ini"), strIniBefore);
    EXPECT_TRUE(pointer_.calls.empty());
}

TEST_F(Program, IconClickDuringTheStartUpReadsMessageIsNotAnswered) {
    mouse_->faults().wrongSignature = true;
    std::vector<bool> answered;
    window_.duringMessage = [&] { answered.push_back(model_->trayClick()); };
    start();
    EXPECT_EQ(answered, std::vector<bool>{false});
    EXPECT_TRUE(window_.balloons.empty());
    EXPECT_TRUE(model_->trayClick()) << "answered once the initialisation has ended";
}

// --- OK, Apply, Cancel -------------------------------------------------------

TEST_F(Program, ApplyLeavesTheMouseHoldingTheOwnedFieldsAndEveryOtherByteAsRead) {
    const ConfigBlock before = mouse_->contents();
    MainWindowModel& model = start();

    ASSERT_TRUE(model.confirm());

    SettingsRecord record = craftedRecord();
    ConfigBlock expected = before;
    rebuildOwnedFields(record, before.image[block::kSensorType], expected);
    EXPECT_EQ(mouse_->contents(), expected);
    // Spot checks of what the encodings give for the crafted record.
    const ConfigBlock& got = mouse_->contents();
    EXPECT_EQ(got.header[block::kReportRateCode], 2);
    EXPECT_EQ(got.header[block::kHeaderMouseOwned], before.header[block::kHeaderMouseOwned]);
    EXPECT_EQ(got.image[block::kEnabledStageCount], 2);
    EXPECT_EQ(got.image[block::kStageDpiCodes + 1], dpiLevelCode(0, 6) | 0x80);
    EXPECT_EQ(got.image[block::kSnipeDpiCode], dpiLevelCode(0, 3));
    EXPECT_EQ(got.image[block::kModeBPairs + 2 * 4], 0x06);  // Mode B button 4 (Shift) in slot 5
    EXPECT_EQ(got.image[block::kModeBPairs + 2 * 4 + 1], 0x03);
    EXPECT_EQ(got.image[block::kModeAPairs + 2 * 6 + 1], 0x85);  // fire key, 5 repeats
    for (std::size_t offset : {0u, 100u, 150u, 194u, 260u}) {
        EXPECT_EQ(got.image[offset], before.image[offset]) << offset;
    }
    EXPECT_TRUE(window_.shown.empty());
    EXPECT_EQ(clock_.waits.size(), 6u);
}

TEST_F(Program, PageChoicesReachMouseFilesAndSystemOnlyThroughApply) {
    MainWindowModel& model = start();
    const ConfigBlock mouseBefore = mouse_->contents();
    const Bytes configBefore = fileBytes("config.bin");

    EXPECT_EQ(model.setPointerSlider(PointerSlider::DoubleClick, 11),
              (ui::Redraw{{ui::Element::PointerSlider, 3, 0}}));
    EXPECT_EQ(model.selectReportRate(1),
              (ui::Redraw{{ui::Element::Knob, 1, 0}, {ui::Element::Knob, 3, 0}}));
    EXPECT_EQ(model.restoreDefaults(), (ui::Redraw{{ui::Element::ModeAndBoxes, 0, 0}}));
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_TRUE(pointer_.calls.empty());

    ASSERT_TRUE(model.confirm());

    SettingsRecord stored = craftedRecord();
    stored[rec::kDoubleClickPos] = 11;
    stored[rec::kReportRateCode] = 8;
    stored.button(rec::kAssignType, Mode::B, 4) = 3;  // Default: Shift goes back to Forward
    stored.button(rec::kDpiSwitchCode, Mode::A, 6) = 5;
    stored[rec::kSnipeDpiCode] = dpiLevelCode(0, 3);
    EXPECT_EQ(fileBytes("config.bin"), configBin(1, stored));
    EXPECT_EQ(model.savedRecord(), model.record());
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 8);
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item43"), u"Forward");
    EXPECT_EQ(pointer_.doubleClick, 200u);
    EXPECT_EQ(pointer_.speed, 10);
}

TEST_F(Program, WithModeBShownTheSnipeLevelOfModeBIsSent) {
    MainWindowModel& model = start();
    EXPECT_EQ(model.showMode(Mode::B), (ui::Redraw{{ui::Element::ModeAndBoxes, 0, 0}}));
    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().image[block::kSnipeDpiCode], dpiLevelCode(0, 6));
    EXPECT_EQ(model.record()[rec::kSnipeDpiCode], dpiLevelCode(0, 6));
}

TEST_F(Program, RefusedWriteStillSavesBothFiles) {
    MainWindowModel& model = start();
    const ConfigBlock mouseBefore = mouse_->contents();
    mouse_->faults().wrongSignature = true;
    model.selectReportRate(1);
    model.restoreDefaults();

    const std::optional<ApplyOutcome> applied = model.confirm();

    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->written.failedCall, transfer_failure::kSignature);
    EXPECT_EQ(applied->configBin.status, SettingsFileStatus::Done);
    EXPECT_EQ(
        window_.shown,
        (std::vector<Shown>{{u"The system did not detect the gaming mouse!", u"WriteOperation"}}));
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin")[1 + rec::kReportRateCode], 8);
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item2"), u"Right Click");
    EXPECT_EQ(model.savedRecord(), model.record());
}

TEST_F(Program, AfterAFailedStartUpReadApplyKeepsTheStoredSnipeCodeInConfigBin) {
    SettingsRecord stored = craftedRecord();
    stored[rec::kSnipeDpiCode] = 0x28;  // what the mouse's sensor type 1 gave
    folder_.write("config.bin", configBin(1, stored));
    mouse_->contents().image[block::kSensorType] = 1;
    mouse_->faults().wrongSignature = true;
    MainWindowModel& model = start();

    ASSERT_TRUE(model.confirm());

    EXPECT_EQ(fileBytes("config.bin"), configBin(1, stored));
}

TEST_F(Program, CancelThrowsChangesAwayAndTheNextIconClickRebuildsFromTheStoredLabels) {
    MainWindowModel& model = start();
    const ConfigBlock mouseBefore = mouse_->contents();
    const Bytes configBefore = fileBytes("config.bin");
    model.setStageLevel(1, 1);
    model.selectReportRate(1);
    model.restoreDefaults();

    model.restoreSettings();

    EXPECT_EQ(model.record(), craftedRecord());
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_FALSE(folder_.exists("str.ini"));

    window_.events.clear();
    EXPECT_TRUE(model.trayClick());
    EXPECT_EQ(window_.events, (std::vector<std::string>{"teardown", "page"}));
    EXPECT_EQ(model.labels().of(Mode::A, 1), u"");  // str.ini holds no label yet
    EXPECT_EQ(model.pageState(), PageState::Shown);
    window_.events.clear();
    EXPECT_TRUE(model.trayClick());
    EXPECT_TRUE(window_.events.empty()) << "one rebuild per Cancel";

    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 2);
    EXPECT_EQ(mouse_->contents().image[block::kStageDpiCodes], dpiLevelCode(0, 7));
}

TEST_F(Program, WithoutTheMouseTheIconWarnsAndOkAndApplyDoNothing) {
    hid_->plugged = false;
    MainWindowModel& model = start();
    const Bytes configBefore = fileBytes("config.bin");

    EXPECT_FALSE(model.trayClick());
    EXPECT_EQ(window_.balloons, std::vector<std::uint32_t>{15});
    EXPECT_FALSE(model.confirm());
    EXPECT_TRUE(model.selectReportRate(1).empty()) << "no page, no choices";

    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_FALSE(folder_.exists("str.ini"));
    EXPECT_TRUE(pointer_.calls.empty());
}

TEST_F(Program, FirstRunPreparesThePageOnceButReadsThePointerAtEveryBuild) {
    folder_.write("config.bin", configBin(0, craftedRecord()));
    mouse_->contents().image[block::kConsumerTable] = 0x77;
    pointer_.speed = 3;
    MainWindowModel& model = start();
    ASSERT_TRUE(model.firstRun());

    EXPECT_EQ(model.block().image[block::kConsumerTable], 0xB5);
    for (std::size_t s = 0; s < rec::kStages; ++s) {
        EXPECT_EQ(model.record()[rec::kStageEnabled + s], 1);
    }
    EXPECT_EQ(model.labels().of(Mode::B, 7), u"Fire Key-L-Button");
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item6"), u"DPI Loop");
    EXPECT_EQ(model.record()[rec::kPointerSpeedPos], 2);

    // A rebuild after Cancel reads the pointer again but resets nothing else.
    strIni_->write(u"Setting-EN", u"Item1", u"Right Click");
    model.toggleStageTick(2);
    model.restoreSettings();
    pointer_.speed = 20;
    ASSERT_TRUE(model.trayClick());
    EXPECT_EQ(model.labels().of(Mode::A, 1), u"Right Click");
    EXPECT_EQ(model.record()[rec::kStageEnabled + 1], 0) << "restored, not ticked again";
    EXPECT_EQ(model.record()[rec::kPointerSpeedPos], 11);
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item1"), u"Right Click");

    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(fileBytes("config.bin")[0], 1);
    EXPECT_TRUE(model.firstRun()) << "the first run lasts until the process ends";
}

TEST_F(Program, StageBalloonNamesTheStagesCurrentLevel) {
    MainWindowModel& model = start();
    EXPECT_EQ(model.stageDpiLabel(1), u"3200");
    EXPECT_EQ(model.stageDpiLabel(4), u"1600");
    EXPECT_EQ(model.stageDpiLabel(0), u"");
    EXPECT_EQ(model.stageDpiLabel(5), u"");
}

// --- Device notifications ----------------------------------------------------

TEST_F(Program, FourthNotificationWithTheMouseBackAnnouncesItThenReadsTheBlockAgain) {
    mouse_->faults().wrongSignature = true;
    MainWindowModel& model = start();
    mouse_->faults().wrongSignature = false;
    mouse_->contents().image[block::kSensorType] = 1;
    window_.events.clear();

    notify(device_event::kRemoveComplete, 3);
    EXPECT_TRUE(window_.events.empty());
    notify(device_event::kArrival);

    EXPECT_EQ(window_.events, std::vector<std::string>{"balloon 14"});
    EXPECT_EQ(model.block(), mouse_->contents());
    EXPECT_EQ(model.sensorType(), 1);
}

TEST_F(Program, FoundBalloonComesBeforeAFailedReadsMessage) {
    start();
    mouse_->faults().wrongSignature = true;
    window_.events.clear();
    notify(device_event::kArrival, 4);
    EXPECT_EQ(window_.events, (std::vector<std::string>{"balloon 14", "message"}));
    EXPECT_EQ(window_.shown, std::vector<Shown>{kReadFailed});
}

TEST_F(Program, RemovalWithTheMouseStillThereSaysNothingAndReadsNothing) {
    MainWindowModel& model = start();
    mouse_->clearWireLog();
    window_.events.clear();
    notify(device_event::kRemoveComplete, 4);
    EXPECT_TRUE(window_.events.empty());
    EXPECT_TRUE(model.mousePresent());
    EXPECT_TRUE(mouse_->wireLog().empty());
}

TEST_F(Program, MouseGoneWarnsAndHidesTheWindow) {
    MainWindowModel& model = start();
    hid_->plugged = false;
    window_.events.clear();
    notify(device_event::kRemoveComplete, 4);
    EXPECT_EQ(window_.events, (std::vector<std::string>{"balloon 15", "hide"}));
    EXPECT_FALSE(model.mousePresent());
}

TEST_F(Program, NotificationsDuringAMessageWaitAndAreCountedAfterIt) {
    start();
    mouse_->faults().wrongSignature = true;
    window_.events.clear();
    window_.shown.clear();
    // Every read message would otherwise be interrupted by the next discovery
    // and read, and the boxes would stack up inside each other.
    int depth = 0;
    int deepest = 0;
    bool plugAgain = true;
    window_.duringMessage = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (std::exchange(plugAgain, false)) notify(device_event::kArrival, 8);
        --depth;
    };

    notify(device_event::kArrival, 4);

    EXPECT_EQ(deepest, 1);
    // The fourth runs a read that fails; the eight that waited make two more.
    EXPECT_EQ(window_.events, (std::vector<std::string>{"balloon 14", "message", "balloon 14",
                                                        "message", "balloon 14", "message"}));
}

TEST_F(Program, WithTwoMiceOnlyTheFirstIsSetAndTheBalloonsSaySo) {
    auto second = std::make_shared<VirtualMouse>();
    virtualHid_->plugIn(second);
    MainWindowModel& model = start();
    EXPECT_EQ(window_.events, (std::vector<std::string>{"register", "skin", "page", "balloon 18"}));

    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 2);
    window_.events.clear();
    notify(device_event::kArrival, 4);
    EXPECT_EQ(window_.events, std::vector<std::string>{"balloon 18"});
    EXPECT_TRUE(second->wireLog().empty());
}

// --- Settings changed by another program -------------------------------------

TEST_F(Program, ChangedOutsideReloadsFilesAndMouseRebuildsThePageAndSaysSoInABalloon) {
    MainWindowModel& model = start();
    SettingsRecord outside = craftedRecord();
    outside[rec::kReportRateCode] = 4;
    folder_.write("config.bin", configBin(1, outside));
    strIni_->write(u"Setting-EN", u"Item1", u"From outside");
    mouse_->contents().image[block::kSensorType] = 1;
    window_.events.clear();

    model.settingsChangedOutside();

    EXPECT_EQ(window_.events, (std::vector<std::string>{"teardown", "page", "balloon 16"}));
    EXPECT_EQ(model.record(), outside);
    EXPECT_EQ(model.savedRecord(), outside);
    EXPECT_EQ(model.labels().of(Mode::A, 1), u"From outside");
    EXPECT_EQ(model.sensorType(), 1);
    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 4);
}

TEST_F(Program, ChangedOutsideWithUnappliedChangesAsksAndEachAnswerDoesWhatItSays) {
    SettingsRecord outside = craftedRecord();
    outside[rec::kReportRateCode] = 4;
    for (const bool take : {false, true}) {
        SCOPED_TRACE(take ? "Yes" : "No");
        folder_.write("config.bin", configBin(1, craftedRecord()));
        MainWindowModel& model = start();
        model.selectReportRate(1);  // 1000 Hz, not applied
        folder_.write("config.bin", configBin(1, outside));
        window_.events.clear();
        window_.answerYes = take;

        model.settingsChangedOutside();

        EXPECT_EQ(window_.asked.at(0).text,
                  u"The settings were changed outside the program. Take the new settings and "
                  u"drop the changes on this page?");
        if (take) {
            EXPECT_EQ(window_.events, (std::vector<std::string>{"question", "teardown", "page"}));
            EXPECT_EQ(model.record(), outside);
        } else {
            EXPECT_EQ(window_.events, std::vector<std::string>{"question"});
            EXPECT_EQ(fileBytes("config.bin"), configBin(1, outside)) << "nothing written yet";
        }
        ASSERT_TRUE(model.confirm());
        EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], take ? 4 : 8);
        EXPECT_EQ(fileBytes("config.bin")[1 + rec::kReportRateCode], take ? 4 : 8);
    }
}

TEST_F(Program, ExitClosesBothChannels) {
    MainWindowModel& model = start();
    model.closeDevice();
    EXPECT_EQ(mouse_->closedChannels(), 2u);
}

}  // namespace
}  // namespace trv
