// The program's state as a whole: start-up against the virtual mouse and the
// files beside the executable, then OK, Apply and Cancel as the user presses
// them, judged by what the mouse and the files hold afterwards.

#include "app/main_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "config/owned_fields.h"
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
using testing::RecordingSink;
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

class Program : public ::testing::Test {
  protected:
    Program() {
        folder_.write("config.bin", configBin(1, craftedRecord()));
        hid_ = std::make_unique<VirtualHidSystem>(mouse_);
        strIni_ = std::make_unique<PortableProfileStore>(folder_.path16("str.ini"));
    }

    // Start-up as the main window runs it.
    MainWindowModel& start() {
        model_ = std::make_unique<MainWindowModel>(
            ModelServices{*hid_, clock_, sink_, files_, *strIni_, pointer_},
            folder_.path16("TRV418.exe"));
        model_->startUpDevice();
        model_->loadSettings();
        model_->selectLanguage();
        model_->loadIniStore();
        return *model_;
    }

    Bytes fileBytes(std::string_view name) const { return folder_.read(name); }

    TempFolder folder_;
    std::shared_ptr<VirtualMouse> mouse_ = std::make_shared<VirtualMouse>();
    std::unique_ptr<HidSystem> hid_;
    std::unique_ptr<PortableProfileStore> strIni_;
    DiskSettingsFileSystem files_;
    CountingClock clock_;
    RecordingSink sink_;
    FakeSystemPointer pointer_;
    std::unique_ptr<MainWindowModel> model_;
};

TEST_F(Program, StartUpReadsTheMouseAndLoadsTheSettingsQuietly) {
    strIni_->write(u"Skins", u"Path", u"Blue");
    strIni_->write(u"Skins", u"RColor", u"300");
    strIni_->write(u"Setting-EN", u"Item43", u"Snipe Key");
    MainWindowModel& model = start();
    EXPECT_TRUE(model.mousePresent());
    EXPECT_TRUE(model.blockComplete());
    EXPECT_EQ(model.block(), mouse_->contents());
    EXPECT_EQ(model.record(), craftedRecord());
    EXPECT_EQ(model.savedRecord(), craftedRecord());
    EXPECT_FALSE(model.firstRun());
    EXPECT_EQ(model.labels().of(Mode::B, 4), u"Snipe Key");
    EXPECT_EQ(model.skin().red, 44);
    EXPECT_EQ(model.skinFolder(), folder_.path16("") + u"/Skins/Blue");
    EXPECT_TRUE(sink_.shown.empty());
}

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
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_EQ(clock_.waits.size(), 6u);
}

TEST_F(Program, ApplyStoresTheRecordAndLabelsAndGivesThePointerSettingsToTheSystem) {
    MainWindowModel& model = start();
    model.record()[rec::kDoubleClickPos] = 11;
    model.labels().of(Mode::B, 3) = u"Multimedia-Next";

    ASSERT_TRUE(model.confirm());

    SettingsRecord stored = craftedRecord();
    stored[rec::kDoubleClickPos] = 11;
    stored[rec::kSnipeDpiCode] = dpiLevelCode(0, 3);
    EXPECT_EQ(fileBytes("config.bin"), configBin(1, stored));
    EXPECT_EQ(model.savedRecord(), model.record());
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item33"), u"Multimedia-Next");
    EXPECT_EQ(pointer_.doubleClick, 200u);
    EXPECT_EQ(pointer_.speed, 10);
}

TEST_F(Program, WithModeBShownTheSnipeLevelOfModeBIsSent) {
    MainWindowModel& model = start();
    model.record()[rec::kModeShown] = 1;
    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().image[block::kSnipeDpiCode], dpiLevelCode(0, 6));
    EXPECT_EQ(model.record()[rec::kSnipeDpiCode], dpiLevelCode(0, 6));
}

TEST_F(Program, RefusedWriteStillSavesBothFiles) {
    MainWindowModel& model = start();
    const ConfigBlock mouseBefore = mouse_->contents();
    mouse_->faults().wrongSignature = true;
    model.record()[rec::kReportRateCode] = 8;
    model.labels().of(Mode::A, 2) = u"Key Off";

    ASSERT_TRUE(model.confirm());

    ASSERT_EQ(sink_.shown.size(), 1u);
    EXPECT_EQ(sink_.shown[0].caption, u"WriteOperation");
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin")[1 + rec::kReportRateCode], 8);
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item2"), u"Key Off");
    EXPECT_EQ(model.savedRecord(), model.record());
}

TEST_F(Program, CancelAfterChangesTouchesNeitherMouseNorFilesAndOkThenWritesTheRestoredValues) {
    MainWindowModel& model = start();
    const ConfigBlock mouseBefore = mouse_->contents();
    const Bytes configBefore = fileBytes("config.bin");
    model.record()[rec::kStageLevel] = 0;
    model.record()[rec::kReportRateCode] = 8;

    model.restoreSettings();

    EXPECT_EQ(model.record(), craftedRecord());
    EXPECT_EQ(mouse_->contents(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_FALSE(folder_.exists("str.ini"));

    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(mouse_->contents().header[block::kReportRateCode], 2);
    EXPECT_EQ(mouse_->contents().image[block::kStageDpiCodes], dpiLevelCode(0, 7));
}

TEST_F(Program, OkAndApplyDoNothingWithoutTheMouse) {
    auto noMouse = std::make_unique<testing::ScriptedHid>();
    noMouse->interfaces = {testing::foreignDevice()};
    hid_ = std::move(noMouse);
    MainWindowModel& model = start();
    ASSERT_FALSE(model.mousePresent());
    const Bytes configBefore = fileBytes("config.bin");
    model.record()[rec::kReportRateCode] = 8;

    EXPECT_FALSE(model.confirm());

    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_FALSE(folder_.exists("str.ini"));
    EXPECT_TRUE(pointer_.calls.empty());
    EXPECT_TRUE(sink_.shown.empty()) << "an absent mouse is not announced at start-up";
}

TEST_F(Program, AfterCancelTheNextIconClickRebuildsFromTheStoredLabels) {
    MainWindowModel& model = start();
    model.pageBuilt();
    model.labels().of(Mode::A, 1) = u"changed but not applied";
    model.restoreSettings();

    const TrayClickPlan plan = model.trayClick();

    EXPECT_TRUE(plan.rebuildAfterCancel);
    EXPECT_TRUE(plan.show);
    EXPECT_EQ(model.labels().of(Mode::A, 1), u"");  // str.ini holds no label yet
    EXPECT_EQ(model.pageState(), PageState::NotBuilt);
}

TEST_F(Program, FirstRunWritesFactoryTableTicksAllStagesAndResetsLabelsOnce) {
    SettingsRecord record = craftedRecord();
    folder_.write("config.bin", configBin(0, record));
    mouse_->contents().image[block::kConsumerTable] = 0x77;
    MainWindowModel& model = start();
    ASSERT_TRUE(model.firstRun());
    pointer_.speed = 3;

    model.prepareForPageBuild();

    EXPECT_EQ(model.block().image[block::kConsumerTable], 0xB5);
    for (std::size_t s = 0; s < rec::kStages; ++s) {
        EXPECT_EQ(model.record()[rec::kStageEnabled + s], 1);
    }
    EXPECT_EQ(model.labels().of(Mode::B, 7), u"Fire Key-L-Button");
    EXPECT_EQ(strIni_->read(u"Setting-EN", u"Item6"), u"DPI Loop");
    EXPECT_EQ(model.record()[rec::kPointerSpeedPos], 2);

    // A later build of the same run reads the pointer again but resets nothing.
    model.labels().of(Mode::A, 1) = u"Right Click";
    pointer_.speed = 20;
    model.prepareForPageBuild();
    EXPECT_EQ(model.labels().of(Mode::A, 1), u"Right Click");
    EXPECT_EQ(model.record()[rec::kPointerSpeedPos], 11);

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

}  // namespace
}  // namespace trv
