// The program's state as a whole: start-up against the virtual mouse and the
// files beside the executable, then the page's choices, OK, Apply and Cancel
// and device notifications as they come, judged by what the mouse, the files
// and the window (messages, balloons, redraws) see.

#include "app/main_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "app/owned_fields.h"
#include "config/portable_profile_store.h"
#include "config/settings_file_disk.h"
#include "contract/temp_folder.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "perf/dpi.h"
#include "pointer_fakes.h"

namespace trv {
namespace {

using testing::Bytes;
using testing::CountingClock;
using testing::FakeSystemPointer;
using testing::RecordingWindow;
using testing::Shown;
using testing::TempFolder;

constexpr std::size_t kImage = block::kHeaderSize;  // image offset to block offset

SettingsRecord craftedRecord() {
    SettingsRecord r;
    for (std::size_t i = 0; i < rec::kSize; ++i) r[i] = static_cast<std::uint8_t>(0x30 + i % 7);
    r[rec::kReportRateCode] = 2;
    for (std::size_t s = 0; s < rec::kStages; ++s) {
        r[rec::kStageLevel + s] = static_cast<std::uint8_t>(7 - s);
        r[rec::kStageEnabled + s] = s % 2 == 0 ? 1 : 0;
        for (std::size_t c = 0; c < 3; ++c) {
            r[rec::kStageColour + 3 * s + c] = static_cast<std::uint8_t>(0x10 * (s + 1) + c);
        }
    }
    r[rec::kLightMode] = 1;
    r[rec::kLightBrightness] = 4;
    r[rec::kModeShown] = 0;
    r[rec::kFireMakeTime] = 20;
    r[rec::kFireBreakTime] = 30;
    r[rec::kSnipeLevel] = 3;      // Mode A
    r[rec::kSnipeLevel + 1] = 6;  // Mode B
    r[rec::kPointerSpeedPos] = 6;
    r[rec::kScrollLinesPos] = 3;
    r[rec::kDoubleClickPos] = 6;
    r[rec::kPointerPrecision] = 1;
    r[rec::kScrollOneScreen] = 0;
    const std::uint8_t types[] = {0, 1, 2, 3, 4, 5, 9, 12};
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            r.button(rec::kAssignType, mode, b) = types[b - 1];
            r.button(rec::kFireTimes, mode, b) = 5;
            r.button(rec::kFireKeyUsage, mode, b) = 0xF0;
            r.button(rec::kDpiSwitchCode, mode, b) = 5;
        }
    }
    r.button(rec::kAssignType, Mode::B, 4) = 13;  // Shift
    return r;
}

Bytes configBin(std::uint8_t firstRunFlag, const SettingsRecord& record) {
    Bytes bytes(1 + rec::kSize);
    bytes[0] = firstRunFlag;
    std::copy(record.bytes.begin(), record.bytes.end(), bytes.begin() + 1);
    return bytes;
}

// Swaps the machine's HID stack during a test: the mouse plugged in or not.
class SwitchableHid final : public HidSystem {
  public:
    explicit SwitchableHid(HidSystem& present) : present_(present) {}
    bool plugged = true;
    std::unique_ptr<HidInterfaceList> presentInterfaces() override {
        return current().presentInterfaces();
    }
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override {
        return current().openProbe(path);
    }
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override {
        return current().openChannel(path, kind);
    }

  private:
    HidSystem& current() { return plugged ? present_ : absent_; }
    HidSystem& present_;
    testing::ScriptedHid absent_;
};

constexpr std::u16string_view kMouseInterface = u"\\\\?\\HID#VID_04D9&PID_A0D6&MI_01&Col01#1";

class Program : public ::testing::Test {
  protected:
    Program() {
        folder_.write("config.bin", configBin(1, craftedRecord()));
        virtualHid_ = std::make_unique<VirtualHidSystem>(mouse_);
        hid_ = std::make_unique<SwitchableHid>(*virtualHid_);
        strIni_ = std::make_unique<PortableProfileStore>(folder_.path16("str.ini"));
    }

    // Start-up as the main window runs it.
    MainWindowModel& start() {
        model_ = std::make_unique<MainWindowModel>(
            ModelServices{*hid_, clock_, window_, files_, *strIni_, pointer_},
            folder_.path16("TRV418.exe"));
        model_->startUp();
        return *model_;
    }

    void notify(std::uint32_t event, int times = 1) {
        for (int i = 0; i < times; ++i) {
            model_->deviceChange(event, device_event::kInterfaceType, kMouseInterface);
        }
    }

    Bytes fileBytes(std::string_view name) const { return folder_.read(name); }

    TempFolder folder_;
    std::shared_ptr<VirtualMouse> mouse_ = std::make_shared<VirtualMouse>();
    std::unique_ptr<HidSystem> virtualHid_;
    std::unique_ptr<SwitchableHid> hid_;
    std::unique_ptr<PortableProfileStore> strIni_;
    DiskSettingsFileSystem files_;
    CountingClock clock_;
    RecordingWindow window_;
    FakeSystemPointer pointer_;
    std::unique_ptr<MainWindowModel> model_;
};

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
    EXPECT_EQ(window_.events,
              (std::vector<std::string>{"message", "register", "skin", "page"}));
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
    EXPECT_EQ(window_.shown,
              (std::vector<Shown>{{u"RegisterDeviceNotification failed!!!", u""}}));
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

    ASSERT_TRUE(model.confirm());

    EXPECT_EQ(window_.shown,
              (std::vector<Shown>{{u"The system did not detect the gaming mouse!",
                                   u"WriteOperation"}}));
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin")[1 + rec::kReportRateCode], 8);
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item2"), u"Right Click");
    EXPECT_EQ(model.savedRecord(), model.record());
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
    EXPECT_EQ(window_.events,
              (std::vector<std::string>{"balloon 14", "message", "balloon 14", "message",
                                        "balloon 14", "message"}));
}

TEST_F(Program, ExitClosesBothChannels) {
    MainWindowModel& model = start();
    model.closeDevice();
    EXPECT_EQ(mouse_->closedChannels(), 2u);
}

}  // namespace
}  // namespace trv
