// Profiles and backups from the notification icon's menu: the program's model
// over the virtual mouse and a folder of files, held to what the tool does
// with the same profile and to what the user sees in the menu and balloons.

#include <gtest/gtest.h>

#include <sstream>

#include "config/block_backup.h"
#include "config/ini_store.h"
#include "ctl/ctl_runner.h"
#include "program_fixture.h"
#include "settings/profile_file.h"
#include "settings/profile_text.h"

namespace trv::testing {
namespace {

Bytes blockBytes(const ConfigBlock& block) {
    Bytes bytes(block.header.begin(), block.header.end());
    bytes.insert(bytes.end(), block.image.begin(), block.image.end());
    return bytes;
}

Bytes textBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

ButtonLabels labelsIn(const std::filesystem::path& strIni) {
    PortableProfileStore store(strIni.u16string());
    ButtonLabels labels;
    SkinSettings skin;
    LoadIniStore(store, u"Setting-EN", labels, skin);
    return labels;
}

// Changes the report rate, the fire key of button 7 and its label.
constexpr std::string_view kFps =
    "[Profile]\r\nFormat=1\r\n[ReportRate]\r\nRate=500 Hz\r\n"
    "[ModeA]\r\nButton7=Fire Key: A, 5 times\r\nLabel7=Spray\r\n";
constexpr std::string_view kWork = "[Profile]\r\nFormat=1\r\n[ReportRate]\r\nRate=125 Hz\r\n";
// Line 5 names a rate the mouse does not have.
constexpr std::string_view kBroken =
    "[Profile]\r\nFormat=1\r\n; a comment\r\n[ReportRate]\r\nRate=300 Hz\r\n";

class Profiles : public Program {
  protected:
    void putProfile(std::string_view name, std::string_view text) {
        std::filesystem::create_directories(folder_.at("Profiles"));
        folder_.write("Profiles/" + std::string(name) + ".ini", textBytes(text));
    }
    std::u16string lastBalloon() const {
        return window_.balloonTexts.empty() ? u"" : window_.balloonTexts.back().text;
    }
    Bytes mouseBytes() const { return blockBytes(mouse_->contents()); }
};

TEST_F(Profiles, AProfileFromTheMenuWritesWhatImportThenApplyWouldWrite) {
    // The tool's folder: the same mouse, the same config.bin.
    TempFolder tool;
    tool.write("virtual-mouse.bin", blockBytes(VirtualMouse::factoryContents()));
    tool.write("config.bin", configBin(1, craftedRecord()));
    tool.write("FPS.ini", textBytes(kFps));
    ScriptedHid noMouse;
    CountingClock clock;
    DiskSettingsFileSystem files;
    FakeSystemPointer toolPointer;
    const ctl::Services services{noMouse,
                                 clock,
                                 files,
                                 [](const std::u16string& p) { return std::make_unique<PortableProfileStore>(p); },
                                 toolPointer,
                                 [] { return kBackupDate; },
                                 {},
                                 tool.path16("trv418ctl.exe"),
                                 {}};
    const auto runTool = [&](std::vector<std::u16string> args) {
        std::ostringstream out, err;
        const int code = ctl::run(args, services, out, err);
        EXPECT_EQ(code, 0) << err.str();
    };
    runTool({u"import", tool.path16("FPS.ini")});
    runTool({u"apply", u"--virtual", tool.at("").u16string()});

    putProfile("FPS", kFps);
    MainWindowModel& model = start();
    model.applyProfile(u"FPS");

    EXPECT_EQ(mouseBytes(), tool.read("virtual-mouse.bin"));
    EXPECT_EQ(fileBytes("config.bin"), tool.read("config.bin"));
    EXPECT_EQ(labelsIn(folder_.at("str.ini")), labelsIn(tool.at("str.ini")));
    EXPECT_EQ(labelsIn(folder_.at("str.ini")).of(Mode::A, 7), u"Spray");
    EXPECT_EQ(pointer_.speed, toolPointer.speed);
    EXPECT_EQ(lastBalloon(), u"Profile \"FPS\" is on the mouse now.");
    EXPECT_TRUE(window_.shown.empty());
    EXPECT_EQ(model.record()[rec::kReportRateCode], 2) << "the page shows the profile";
}

TEST_F(Profiles, AProfileWithAnErrorChangesNothingAndTheBalloonNamesItsLine) {
    putProfile("Broken", kBroken);
    MainWindowModel& model = start();
    mouse_->clearWireLog();
    const Bytes config = fileBytes("config.bin");

    model.applyProfile(u"Broken");

    EXPECT_EQ(lastBalloon().find(u"Profile \"Broken\" was not applied; nothing was changed.\n"
                                 u"Broken.ini:5: "),
              0u);
    EXPECT_EQ(window_.balloonTexts.back().title, u"Warning");
    EXPECT_TRUE(
        std::none_of(mouse_->wireLog().begin(), mouse_->wireLog().end(),
                     [](const WireFrame& f) { return f.direction == WireDirection::ToMouse; }))
        << "not one frame went to the mouse";
    EXPECT_EQ(fileBytes("config.bin"), config);
    EXPECT_FALSE(folder_.exists("str.ini"));
    EXPECT_TRUE(std::none_of(pointer_.calls.begin(), pointer_.calls.end(),
                             [](const std::string& c) { return c.starts_with("set"); }));

    // A backup put among the profiles is refused by name, as the tool refuses it.
    folder_.write("Profiles/Backup.ini", textBytes("TRVB\x02"));
    model.applyProfile(u"Backup");
    EXPECT_NE(lastBalloon().find(u"Backup.ini is a backup, not a profile."), std::u16string::npos);
}

TEST_F(Profiles, TheCheckFollowsTheLastAppliedProfileAndGoesWhenThePageChangesASetting) {
    putProfile("work", kWork);
    putProfile("FPS", kFps);
    putProfile("Browse", kWork);
    MainWindowModel& model = start();
    EXPECT_EQ(model.profileMenu().names, (std::vector<std::u16string>{u"Browse", u"FPS", u"work"}));
    EXPECT_EQ(model.profileMenu().checked, std::nullopt);

    model.applyProfile(u"FPS");
    EXPECT_EQ(model.profileMenu().checked, 1u);
    model.applyProfile(u"work");
    EXPECT_EQ(model.profileMenu().checked, 2u);

    model.selectReportRate(4);  // 1000 Hz, on the page, not applied
    EXPECT_EQ(model.profileMenu().checked, std::nullopt);

    // The page's changes go only with the user's word.
    window_.answers = {false, true};
    model.applyProfile(u"FPS");
    EXPECT_EQ(window_.asked.size(), 1u);
    EXPECT_EQ(model.record()[rec::kReportRateCode], 1) << "No keeps the page as it was";
    EXPECT_EQ(model.profileMenu().checked, std::nullopt);
    model.applyProfile(u"FPS");
    EXPECT_EQ(window_.asked.size(), 2u);
    EXPECT_EQ(model.profileMenu().checked, 1u);
    EXPECT_EQ(model.savedRecord()[rec::kReportRateCode], 2);
}

TEST_F(Profiles, SaveAsWritesTheAppliedSettingsIntoANewProfilesFolderAndChecksIt) {
    MainWindowModel& model = start();
    model.selectReportRate(1);  // 125 Hz, not applied
    window_.answers = {false};  // do not apply first
    window_.chosenFiles = {folder_.path16("Profiles/FPS.ini")};

    model.saveProfileAs();

    ASSERT_EQ(window_.fileQuestions.size(), 1u);
    const FileQuestion& asked = window_.fileQuestions[0];
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(inFolder(asked.folder, folder_.path16("Profiles/x.ini")));
    EXPECT_FALSE(inFolder(asked.folder, folder_.path16("x.ini")));
    EXPECT_EQ(asked.name, u"Profile 1.ini");
    EXPECT_EQ(asked.extension, u"ini");
    const ProfileFile saved = readProfileFile(files_, folder_.path16("Profiles/FPS.ini"));
    ASSERT_EQ(saved.problem, ProfileFileProblem::None);
    EXPECT_EQ(saved.text, readable::exportProfile(model.savedRecord(), model.labels(), 0))
        << "the applied settings, not the page's 125 Hz";
    EXPECT_EQ(lastBalloon(), u"The current settings were saved as profile \"FPS\".");
    EXPECT_EQ(model.profileMenu().names, std::vector<std::u16string>{u"FPS"});
    EXPECT_EQ(model.profileMenu().checked, std::nullopt) << "the page still differs";
    model.restoreSettings();
    EXPECT_EQ(model.profileMenu().checked, 0u);

    // Yes applies the page first; the next name is offered.
    model.trayClick();
    model.selectReportRate(1);
    window_.answers = {true};
    window_.chosenFiles = {folder_.path16("Profiles/Slow.ini")};
    model.saveProfileAs();
    EXPECT_EQ(window_.fileQuestions.back().name, u"Profile 1.ini");
    EXPECT_NE(
        readProfileFile(files_, folder_.path16("Profiles/Slow.ini")).text.find(u"Rate=125 Hz"),
        std::u16string::npos);
    EXPECT_EQ(mouse_->contents().header[0], 8) << "125 Hz is on the mouse";
    EXPECT_EQ(model.profileMenu().checked, 1u);
}

TEST_F(Profiles, ABackupFromTheMenuRestoresMouseConfigBinAndThePage) {
    MainWindowModel& model = start();
    const Bytes mouseBefore = mouseBytes();
    const Bytes configBefore = fileBytes("config.bin");
    const SettingsRecord recordBefore = model.record();
    window_.chosenFiles = {folder_.path16("b.trvb")};
    model.backUp();
    EXPECT_EQ(lastBalloon(),
              u"The mouse, config.bin and the button labels were backed up to b.trvb.");
    const DecodedBackup decoded = decodeBackup(fileBytes("b.trvb"));
    ASSERT_EQ(decoded.problem, BackupProblem::None);
    EXPECT_EQ(decoded.backup.date, kBackupDate);

    model.selectReportRate(4);
    model.confirm();
    ASSERT_NE(mouseBytes(), mouseBefore);
    window_.redraws.clear();

    window_.chosenFiles = {folder_.path16("b.trvb")};
    model.restoreBackup();
    EXPECT_EQ(mouseBytes(), mouseBefore);
    EXPECT_EQ(fileBytes("config.bin"), configBefore);
    EXPECT_EQ(model.record(), recordBefore);
    ASSERT_FALSE(window_.redraws.empty());
    EXPECT_EQ(window_.redraws.back().front().element, ui::Element::Page) << "the page shows it";
    EXPECT_EQ(lastBalloon(), u"The backup b.trvb is on the mouse and in the settings now.");

    // A backup of another mouse asks first; No leaves everything.
    BlockBackup other = decoded.backup;
    other.productId = 0x1234;
    folder_.write("other.trvb", encodeBackup(other));
    model.selectReportRate(4);
    model.confirm();
    const Bytes mouseNow = mouseBytes();
    window_.answers = {false};
    window_.chosenFiles = {folder_.path16("other.trvb")};
    model.restoreBackup();
    EXPECT_EQ(window_.asked.back().text,
              u"other.trvb was taken from another mouse (another model or sensor). Restore it all "
              u"the same?");
    EXPECT_EQ(mouseBytes(), mouseNow);

    // Not a backup at all: said, and nothing changes.
    folder_.write("p.ini", textBytes(kFps));
    window_.chosenFiles = {folder_.path16("p.ini")};
    model.restoreBackup();
    EXPECT_EQ(window_.shown.back().text,
              u"p.ini is not a backup of TRV418, or it is damaged. Nothing was changed.");
    EXPECT_EQ(mouseBytes(), mouseNow);
}

}  // namespace
}  // namespace trv::testing
