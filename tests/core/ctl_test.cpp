// trv418ctl end to end: each command run as the tool runs it, against the
// virtual mouse and the files of a fresh folder, judged by exit codes, the
// texts printed and the bytes the mouse and the files end up with.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/main_model.h"
#include "assign/scan_codes.h"
#include "config/block_backup.h"
#include "config/crc32.h"
#include "config/portable_profile_store.h"
#include "config/settings_file_disk.h"
#include "contract/temp_folder.h"
#include "ctl/ctl_runner.h"
#include "device/virtual_mouse.h"
#include "device/virtual_mouse_folder.h"
#include "device_fakes.h"
#include "pointer_fakes.h"
#include "settings/owned_fields.h"
#include "settings/profile_text.h"
#include "settings/profile_words.h"

namespace trv {
namespace {

using testing::Bytes;
using testing::TempFolder;

constexpr std::int64_t kNow = 1700000000;  // 2023-11-14 22:13:20 UTC
constexpr std::size_t kImage = block::kHeaderSize;

Bytes blockBytes(const ConfigBlock& block) {
    Bytes bytes(block.header.begin(), block.header.end());
    bytes.insert(bytes.end(), block.image.begin(), block.image.end());
    return bytes;
}

std::u16string u16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// The disk, except that writes fail with `refusal` when it is set, as a
// folder the user may not write to makes them fail, and reads with
// `readRefusal`, as a file the user may not read does.
class RefusingFiles final : public DiskSettingsFileSystem {
  public:
    std::optional<std::uint32_t> refusal;
    std::optional<std::uint32_t> readRefusal;
    std::u16string refusedName;  // only a path ending so is refused; empty: every one
    WriteResult replaceWhole(const std::u16string& path,
                             std::span<const std::uint8_t> bytes) override {
        if (refusal && path.ends_with(refusedName)) return {false, *refusal};
        return DiskSettingsFileSystem::replaceWhole(path, bytes);
    }
    std::optional<Bytes> readWhole(const std::u16string& path, std::size_t sizeLimit) override {
        return readWithCause(path, sizeLimit).bytes;
    }
    ReadResult readWithCause(const std::u16string& path, std::size_t sizeLimit) override {
        if (readRefusal && path.ends_with(refusedName)) return {std::nullopt, *readRefusal};
        return {DiskSettingsFileSystem::readWhole(path, sizeLimit), 0};
    }
};

class Ctl : public ::testing::Test {
  protected:
    struct Result {
        int code;
        std::string out;
        std::string err;
    };

    // The tool beside config.bin in the folder, which also keeps the virtual mouse.
    Result run(std::vector<std::string> args, bool withVirtualMouse = true) {
        std::vector<std::u16string> all;
        if (withVirtualMouse) all = {u"--virtual", folder.at("").u16string()};
        for (const std::string& a : args) all.push_back(u16(a));
        std::ostringstream out;
        std::ostringstream err;
        const int code = ctl::run(all, services, out, err);
        return {code, out.str(), err.str()};
    }
    std::string path(std::string_view name) const { return folder.at(name).string(); }

    void putMouse(const ConfigBlock& block) {
        folder.write("virtual-mouse.bin", blockBytes(block));
    }
    Bytes mouse() const { return folder.read("virtual-mouse.bin"); }
    std::string wireLog() const {
        const Bytes log = folder.read("virtual-mouse-wire.log");
        return std::string(log.begin(), log.end());
    }
    void putConfig(const SettingsRecord& record) {
        const auto bytes = settingsFileBytes(settings_file::kApplied, record);
        folder.write("config.bin", Bytes(bytes.begin(), bytes.end()));
    }

    TempFolder folder;
    testing::ScriptedHid noMouse;
    testing::CountingClock clock;
    RefusingFiles files;
    testing::FakeSystemPointer pointer;
    int programNotices = 0;  // how often the running program was told of a change
    ctl::Services services{
        noMouse,
        clock,
        files,
        [](const std::u16string& p) { return std::make_unique<PortableProfileStore>(p); },
        pointer,
        [] { return kNow; },
        [this] { ++programNotices; },
        folder.path16("trv418ctl.exe"),
        [](std::uint32_t code) { return u"System text " + u16(std::to_string(code)) + u"."; }};
};

// --- Commands and options ------------------------------------------------------

TEST_F(Ctl, UsageMistakesExitWithOneAndHelpAndVersionWithZero) {
    const struct {
        std::vector<std::string> args;
        int code;
        std::string said;
    } cases[] = {
        {{}, 1, "no command given"},
        {{"stat"}, 1, "unknown command stat"},
        {{"backup"}, 1, "backup needs a FILE"},
        {{"status", "extra"}, 1, "unexpected extra after status"},
        {{"--raw", "apply"}, 1, "--raw is an option of status"},
        {{"--sensor", "2", "export", "p.ini"}, 1, "--sensor takes 0 or 1"},
        {{"--config"}, 1, "--config needs a value"},
        {{"--verbose", "status"}, 1, "unknown option --verbose"},
        {{"backup"}, 1, "Run trv418ctl help backup for its use."},
        {{"status", "--raw=yes"}, 1, "--raw takes no value"},
        {{"status", "--virtual=a", "--virtual-new=b"}, 1, "cannot be used together"},
        {{"export", "p.ini", "--virtual", "v"}, 1, "--virtual is an option of status, backup"},
        {{"help", "stat"}, 1, "unknown command stat"},
        {{"--help"}, 0, "Exit codes: 0 success, 1 usage, 2 mouse not found, 3 transfer refused"},
        {{"help"}, 0, "6 a file cannot be read or written"},
        {{"help", "restore"}, 0, "Usage: trv418ctl restore FILE [--force]"},
        {{"restore", "--help"}, 0, "Example:\n  trv418ctl restore mouse.trvb\n"},
        {{"import", "x.ini", "-h"}, 0, "a backup is not a profile"},
        {{"--version"}, 0, "trv418ctl 1."},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args, false);
        EXPECT_EQ(r.code, c.code) << ::testing::PrintToString(c.args);
        EXPECT_NE((r.out + r.err).find(c.said), std::string::npos) << r.out << r.err;
    }
    EXPECT_FALSE(folder.exists("virtual-mouse.bin")) << "no command touched a mouse";
}

// --- status ---------------------------------------------------------------------

TEST_F(Ctl, StatusTellsTheMouseTheInterfacesAndTheBlockInWords) {
    ConfigBlock known = VirtualMouse::factoryContents();
    known.header[block::kReportRateCode] = 4;
    known.image[block::kStageDpiCodes + 1] |= 0x80;  // stage 2 not ticked: stage 3 takes slot 2
    known.image[block::kEnabledStageCount] = 3;
    known.image[block::kLightMode] = 2;
    known.image[block::kLightParameter] = 1;
    known.image[block::kLightParameterKind] = 3;
    const std::uint8_t modeA[] = {0xF0, 0x00, 0x0F, 0x02, 0x06, 0x02, 0x17, 0x02,
                                  0x04, 0x85, 0x53, 0x00, 0x0A, 0x03, 0x12, 0x34};
    std::copy(std::begin(modeA), std::end(modeA), known.image.begin() + block::kModeAPairs);
    known.image[block::kModeBPairs + 6] = 0x06;  // slot 4: button 5 is Shift
    known.image[block::kModeBPairs + 7] = 0x03;
    putMouse(known);

    const Result r = run({"status"});

    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "Mouse: found\n"
              "  command collection: \\\\?\\hid#vid_04d9&pid_a0d6&mi_01&col01#8&1f2e3d4c&0&0000#"
              "{4d1e55b2-f16f-11cf-88cb-001111000030}\n"
              "  data collection: \\\\?\\hid#vid_04d9&pid_a0d6&mi_01&col02#8&1f2e3d4c&0&0001#"
              "{4d1e55b2-f16f-11cf-88cb-001111000030}\n"
              "Report rate: 250 Hz\n"
              "Sensor type: 0\n"
              "DPI stages: 3 ticked\n"
              "  Stage 1: 800, ticked, #FF0000\n"
              "  Stage 2: 1000, not ticked\n"
              "  Stage 3: 1600, ticked, #00FF00\n"
              "  Stage 4: 3200, ticked, #0000FF\n"
              "Snipe DPI: 800\n"
              "Lighting: Respiration Mode, 7S, RGB Flash\n"
              "Fire key times: make 10, break 10\n"
              "Mode A:\n"
              "  Button 1: Left Click\n"
              "  Button 2: Windows: Browser-Refresh\n"
              "  Button 3: Multimedia: Vol-\n"
              "  Button 4: HotKey: Undo\n"
              "  Button 5: Fire Key: A, 5 times\n"
              "  Button 6: Single Key: Num Lock\n"
              "  Button 7: Snipe Key\n"
              "  Button 8: raw 12 34\n"
              "Mode B:\n"
              "  Button 1: Left Click\n"
              "  Button 2: Right Click\n"
              "  Button 3: Mid Click\n"
              "  Button 4: Forward\n"
              "  Button 5: Shift\n"
              "  Button 6: DPI Switch: DPI Loop\n"
              "  Button 7: Key Off\n"
              "  Button 8: Key Off\n");

    const Result raw = run({"status", "--raw"});
    const std::size_t dump = raw.out.find("Block (header bytes 000-001, image from 002):\n");
    ASSERT_NE(dump, std::string::npos);
    EXPECT_EQ(raw.out.substr(0, dump), r.out);
    EXPECT_NE(raw.out.find("  000  04 "), std::string::npos) << "header byte 0 first";
    EXPECT_NE(raw.out.find("\n  140  "), std::string::npos) << "the last line holds bytes 320, 321";
    EXPECT_EQ(std::count(raw.out.begin() + dump, raw.out.end(), '\n'), 1 + 21);
}

TEST_F(Ctl, StatusWithTwoMiceSaysSoAndShowsTheInterfacesOfTheFirst) {
    VirtualHidSystem twoMice(std::make_shared<VirtualMouse>());
    twoMice.plugIn(std::make_shared<VirtualMouse>());
    const ctl::Services machine{twoMice,
                                clock,
                                files,
                                services.openProfileStore,
                                pointer,
                                services.secondsSinceEpoch,
                                services.settingsChanged,
                                services.executablePath,
                                services.systemErrorText};
    std::ostringstream out;
    std::ostringstream err;
    const std::u16string status[] = {u"status"};
    EXPECT_EQ(ctl::run(status, machine, out, err), 0) << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find("#{")),
              "Mouse: found\n"
              "Mice found: 2; this one is the first\n"
              "  command collection: \\\\?\\hid#vid_04d9&pid_a0d6&mi_01&col01#8&1f2e3d4c&0&0000");
}

TEST_F(Ctl, WithoutTheMouseEveryMouseCommandExitsWithTwo) {
    putConfig(SettingsRecord{});
    for (const char* command : {"status", "backup", "apply"}) {
        std::vector<std::string> args{command};
        if (std::string(command) == "backup") args.push_back(path("b.trvb"));
        const Result r = run(args, false);
        EXPECT_EQ(r.code, 2) << command;
        EXPECT_NE(r.err.find("was not found"), std::string::npos) << r.err;
    }
    EXPECT_EQ(run({"status"}, false).out, "Mouse: not found\n");
    EXPECT_NE(run({"status"}, false).err.find("not found; plug it in"), std::string::npos);
    EXPECT_FALSE(folder.exists("b.trvb"));

    // A mouse the system will not open to this user is a refused transfer.
    noMouse.interfaces = {testing::mouseCommand(), testing::mouseData()};
    noMouse.interfaces[0].openError = 5;
    const Result denied = run({"status"}, false);
    EXPECT_EQ(denied.code, 3);
    EXPECT_EQ(denied.err,
              "trv418ctl: the mouse cannot be opened: CreateFile: System text 5. (5); this command "
              "needs an administrator prompt: open the command prompt with \"Run as "
              "administrator\" and run the command there\n");
}

TEST_F(Ctl, AFolderWithoutAVirtualMouseIsNoMouseUntilVirtualNewMakesOne) {
    const std::string empty = path("empty");
    std::filesystem::create_directory(empty);
    for (const char* command : {"status", "backup"}) {
        std::vector<std::string> args{command, "--virtual", empty};
        if (std::string(command) == "backup") args.push_back(path("b.trvb"));
        const Result r = run(args, false);
        EXPECT_EQ(r.code, 2) << command;
        EXPECT_EQ(r.err,
                  "trv418ctl: no virtual mouse in " + empty + "; `--virtual-new` creates one\n");
    }
    EXPECT_TRUE(std::filesystem::is_empty(empty));
    EXPECT_FALSE(folder.exists("b.trvb"));

    const std::string made = path("made/here");
    const Result fresh = run({"status", "--virtual-new=" + made}, false);
    EXPECT_EQ(fresh.code, 0) << fresh.err;
    EXPECT_EQ(fresh.out.find("Mouse: found\n"), 0u);
    EXPECT_EQ(folder.read("made/here/virtual-mouse.bin"),
              blockBytes(VirtualMouse::factoryContents()));
    EXPECT_EQ(run({"backup", path("b.trvb"), "--virtual=" + made}, false).code, 0);
}

// --- backup and restore ----------------------------------------------------------

TEST_F(Ctl, BackupHoldsHeaderBlockAndChecksumAtTheirOffsets) {
    const ConfigBlock block = VirtualMouse::factoryContents();
    putMouse(block);
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);

    const Bytes file = folder.read("b.trvb");
    ASSERT_EQ(file.size(), 346u);
    const Bytes head(file.begin(), file.begin() + 20);
    EXPECT_EQ(head, (Bytes{'T',  'R',  'V',  'B',  1, 0, 0xD9, 0x04, 0xD6, 0xA0, 0, 0,  //
                           0x00, 0xF1, 0x53, 0x65, 0, 0, 0,    0}));
    EXPECT_EQ(Bytes(file.begin() + 20, file.begin() + 342), blockBytes(block));
    const std::uint32_t crc = crc32(std::span(file).first(342));
    EXPECT_EQ(Bytes(file.begin() + 342, file.end()),
              (Bytes{static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                     static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)}));
    const Bytes check = testing::bytesOf("123456789");
    EXPECT_EQ(crc32(check), 0xCBF43926u) << "the common CRC-32";
}

SettingsRecord craftedRecord();  // below, with the profiles

TEST_F(Ctl, ABlockOnlyBackupRestoresTheMouseAndSaysTheSettingsFilesStayAsTheyAre) {
    const Bytes original = blockBytes(VirtualMouse::factoryContents());
    putMouse(VirtualMouse::factoryContents());
    const Result taken = run({"backup", path("b.trvb")});  // no config.bin to hold
    ASSERT_EQ(taken.code, 0);
    EXPECT_NE(taken.err.find("the backup holds the mouse's configuration only"), std::string::npos);
    ConfigBlock changed = VirtualMouse::factoryContents();
    changed.header[block::kReportRateCode] = 8;
    changed.image[0] ^= 0xFF;
    changed.image[319] ^= 0xFF;
    putMouse(changed);

    const Result r = run({"restore", path("b.trvb")});

    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "Restored the backup of 2023-11-14 22:13:20 UTC from " + path("b.trvb") +
                  "\nThis backup holds the mouse's configuration only: config.bin and str.ini "
                  "were not changed, and the next OK or Apply in TRV418.exe writes their "
                  "settings to the mouse.\n");
    EXPECT_EQ(mouse(), original);
    EXPECT_FALSE(folder.exists("config.bin"));
    EXPECT_EQ(programNotices, 1);
}

TEST_F(Ctl, AWholeBackupHoldsTheBlockConfigBinAndTheLabelsOfEveryLanguageInParts) {
    putMouse(VirtualMouse::factoryContents());
    putConfig(craftedRecord());
    PortableProfileStore strIni(folder.path16("str.ini"));
    strIni.write(u"Setting-BUL", u"Item23", u"Моя");
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);

    const Bytes file = folder.read("b.trvb");
    ASSERT_GT(file.size(), 20u + 4 + 322 + 4 + 191 + 4 + 4);
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 6), (Bytes{2, 0})) << "format 2";
    EXPECT_EQ(Bytes(file.begin() + 20, file.begin() + 24), (Bytes{0x42, 0x01, 0, 0}));
    EXPECT_EQ(Bytes(file.begin() + 24, file.begin() + 346), mouse());
    EXPECT_EQ(Bytes(file.begin() + 346, file.begin() + 350), (Bytes{191, 0, 0, 0}));
    EXPECT_EQ(Bytes(file.begin() + 350, file.begin() + 541), folder.read("config.bin"));
    const std::size_t labelsSize = file[541] | file[542] << 8;
    ASSERT_EQ(file.size(), 545 + labelsSize + 4);
    const std::string labels(file.begin() + 545, file.begin() + 545 + labelsSize);
    for (const char* section :
         {"[Setting-EN]", "[Setting-CHS]", "[Setting-CHT]", "[Setting-BUL]"}) {
        EXPECT_NE(labels.find(section), std::string::npos) << section;
    }
    EXPECT_NE(labels.find("Item23=Моя"), std::string::npos) << "UTF-8";
    EXPECT_EQ(labels.find("[Skins]"), std::string::npos);
    const std::uint32_t crc = crc32(std::span(file).first(file.size() - 4));
    EXPECT_EQ(Bytes(file.end() - 4, file.end()),
              (Bytes{static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                     static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)}));
}

TEST_F(Ctl, AWholeRestorePutsBackMouseConfigBinAndLabelsWhichTheProgramThenShowsAndApplies) {
    putMouse(VirtualMouse::factoryContents());
    SettingsRecord saved = craftedRecord();
    saved[rec::kModeShown] = 0;
    putConfig(saved);
    PortableProfileStore strIni(folder.path16("str.ini"));
    strIni.write(u"Setting-EN", u"Item1", u"Mine");
    strIni.write(u"Setting-BUL", u"Item23", u"Моя");
    ASSERT_EQ(run({"apply", "--no-pointer"}).code, 0);  // mouse and config.bin agree
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);
    const Bytes backedMouse = mouse();
    const Bytes backedConfig = folder.read("config.bin");

    ConfigBlock changed = VirtualMouse::factoryContents();
    changed.header[block::kReportRateCode] = 1;
    putMouse(changed);
    SettingsRecord other = saved;
    other[rec::kReportRateCode] = 1;
    putConfig(other);
    strIni.write(u"Setting-EN", u"Item1", u"Changed");
    strIni.write(u"Setting-BUL", u"Item23", u"");
    strIni.write(u"Skins", u"Path", u"Amber");  // the user's look since then stays
    programNotices = 0;

    const Result r = run({"restore", path("b.trvb")});

    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(mouse(), backedMouse);
    EXPECT_EQ(folder.read("config.bin"), backedConfig);
    EXPECT_EQ(strIni.read(u"Setting-EN", u"Item1"), u"Mine");
    EXPECT_EQ(strIni.read(u"Setting-BUL", u"Item23"), u"Моя");
    EXPECT_EQ(strIni.read(u"Skins", u"Path"), u"Amber");
    EXPECT_EQ(programNotices, 1);

    // The program, started on the same folder, shows and applies the restored settings.
    VirtualMouseInFolder kept = openVirtualMouse(folder.at(""));
    testing::RecordingWindow window;
    testing::FakeSystemPointer systemPointer;
    MainWindowModel program({*kept.hid, clock, window, files, strIni, systemPointer, {}},
                            settingsFilePaths(folder.path16("TRV418.exe")));
    ASSERT_TRUE(program.startUp());
    const auto shown = settingsFileBytes(1, program.record());
    EXPECT_EQ(Bytes(shown.begin(), shown.end()), backedConfig);
    EXPECT_EQ(program.labels().of(Mode::A, 1), u"Mine");
    ASSERT_TRUE(program.confirm());
    EXPECT_EQ(mouse(), backedMouse) << "the block it writes is the restored block";
}

TEST_F(Ctl, DamagedForeignOrNewerBackupsAreRefusedAndTheMouseIsNotTouched) {
    BlockBackup good{0x04D9, 0xA0D6, kNow, VirtualMouse::factoryContents(), std::nullopt};
    good.block.image[0] = 0x42;
    const auto valid = encodeBackup(good);
    auto withCrc = [](Bytes bytes) {
        const std::uint32_t crc = crc32(std::span(bytes).first(342));
        for (int i = 0; i < 4; ++i) bytes[342 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        return bytes;
    };
    Bytes flipped(valid.begin(), valid.end());
    flipped[100] ^= 0x01;
    Bytes truncated(valid.begin(), valid.end() - 1);
    Bytes foreign(valid.begin(), valid.end());
    foreign[6] = 0x6D;  // vendor 0x046D
    BlockBackup otherSensor = good;
    otherSensor.block.image[block::kSensorType] = 1;
    Bytes newer(valid.begin(), valid.end());
    newer[4] = 3;
    const struct {
        const char* name;
        Bytes bytes;
        const char* said;
    } cases[] = {
        {"flipped", flipped, "damaged: its checksum"},
        {"truncated", truncated, "damaged: its length does not fit its format"},
        {"foreign", withCrc(foreign), "backup of device 046D:A0D6, not of this mouse"},
        {"newer", withCrc(newer), "backup of format 3; this tool reads formats 1 and 2"},
        {"sensor",
         [&] {
             auto b = encodeBackup(otherSensor);
             return Bytes(b.begin(), b.end());
         }(),
         "sensor type 1; this one has sensor type 0"},
    };
    putMouse(VirtualMouse::factoryContents());
    const Bytes before = mouse();
    for (const auto& c : cases) {
        folder.write(c.name, c.bytes);
        const Result r = run({"restore", path(c.name)});
        EXPECT_EQ(r.code, 4) << c.name;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_EQ(mouse(), before) << c.name;
    }
    EXPECT_EQ(wireLog().find("to mouse   data"), std::string::npos) << "no page was written";

    // Only the device check gives way to --force.
    EXPECT_EQ(run({"restore", "--force", path("flipped")}).code, 4);
    EXPECT_EQ(run({"restore", "--force", path("foreign")}).code, 0);
    EXPECT_EQ(mouse()[kImage + 0], 0x42);
}

TEST_F(Ctl, ARestoreTheMouseDoesNotKeepFailsVerificationWithFive) {
    putMouse(VirtualMouse::factoryContents());
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);
    ConfigBlock changed = VirtualMouse::factoryContents();
    changed.image[64] = 0x00;
    putMouse(changed);
    folder.write("virtual-mouse-faults.txt", testing::bytesOf("forgets-pages\n"));

    const Result r = run({"restore", path("b.trvb")});

    EXPECT_EQ(r.code, 5);
    EXPECT_NE(r.err.find("verification failed: the mouse holds other values in 1 of the 321 bytes "
                         "written; the first is image byte 64"),
              std::string::npos)
        << r.err;
}

// --- export and import -----------------------------------------------------------

// Every kind of value the page sets, and parameter fields that no type reads,
// which an import must keep.
SettingsRecord craftedRecord() {
    SettingsRecord r;
    for (std::size_t i = 0; i < rec::kSize; ++i) r[i] = static_cast<std::uint8_t>(0x91 + 7 * i);
    const std::pair<std::size_t, std::uint8_t> fields[] = {
        {rec::kReportRateCode, 4},   {rec::kStageLevel, 0},       {rec::kStageLevel + 1, 7},
        {rec::kStageLevel + 2, 5},   {rec::kStageLevel + 3, 4},   {rec::kStageEnabled, 1},
        {rec::kStageEnabled + 1, 0}, {rec::kStageEnabled + 2, 1}, {rec::kStageEnabled + 3, 1},
        {rec::kLightMode, 2},        {rec::kLightBrightness, 9},  {rec::kRespirationSpeed, 4},
        {rec::kNeonPeriod, 29},      {rec::kStandardEffect, 3},   {rec::kRespirationEffect, 2},
        {rec::kNeonEffect, 3},       {rec::kModeShown, 1},        {rec::kFireMakeTime, 5},
        {rec::kFireBreakTime, 255},  {rec::kSnipeLevel, 3},       {rec::kSnipeLevel + 1, 6},
        {rec::kPointerPrecision, 1}, {rec::kScrollOneScreen, 1},  {rec::kPointerSpeedPos, 11},
        {rec::kScrollLinesPos, 0},   {rec::kDoubleClickPos, 1},
    };
    for (auto [offset, value] : fields) r[offset] = value;
    const std::uint8_t typesA[] = {0, 5, 6, 7, 8, 9, 10, 3};
    const std::uint8_t typesB[] = {0, 1, 2, 11, 13, 12, 9, 10};
    for (std::size_t b = 1; b <= rec::kButtons; ++b) {
        r.button(rec::kAssignType, Mode::A, b) = typesA[b - 1];
        r.button(rec::kAssignType, Mode::B, b) = typesB[b - 1];
    }
    r.button(rec::kDpiSwitchCode, Mode::A, 2) = 4;
    r.button(rec::kWindowsCode, Mode::A, 3) = 8;
    r.button(rec::kMediaCode, Mode::A, 4) = 6;
    r.button(rec::kHotKeyIndex, Mode::A, 5) = 7;
    r.button(rec::kFireKeyUsage, Mode::A, 6) = 0xE4;  // R-CTRL, position 44
    r.button(rec::kFireKeyIndex, Mode::A, 6) = 44;
    r.button(rec::kFireTimes, Mode::A, 6) = 0;
    r.button(rec::kSingleKeyUsage, Mode::A, 7) = 0x53;
    r.button(rec::kFireKeyUsage, Mode::B, 7) = 0xF4;  // B5-Button, position 4
    r.button(rec::kFireKeyIndex, Mode::B, 7) = 4;
    r.button(rec::kFireTimes, Mode::B, 7) = 127;
    r.button(rec::kSingleKeyUsage, Mode::B, 8) = 0x31;  // "\", known by its scan code only
    return r;
}

constexpr char kCraftedStrIni[] =
    "[Skins]\r\nLan=CHS\r\nPath=Default\r\n[Setting-CHS]\r\n"
    "Item1=\xE5\xB7\xA6\xE9\x94\xAE\r\nItem2=DPI -\r\nItem3=Mail\r\nItem4=It's \"fine\"\r\n"
    "Item5=a=b; c\r\nItem6=\r\nItem7=Fire Key-R-CTRL\r\nItem8=\xD0\x91\r\n"
    "Item13=x\r\nItem23=y\r\nItem33=z\r\nItem43=Snipe\r\nItem53=Shift\r\nItem63=Off\r\n"
    "Item73=F\r\nItem83=S\r\n";

TEST_F(Ctl, ExportThenImportGivesTheSameBytes) {
    const SettingsRecord crafted = craftedRecord();
    putConfig(crafted);
    folder.write("str.ini", testing::bytesOf(kCraftedStrIni));
    const Bytes config = folder.read("config.bin");

    const Result exported = run({"export", path("p.ini")}, false);
    ASSERT_EQ(exported.code, 0) << exported.err;
    const Result imported = run({"import", path("p.ini")}, false);

    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(folder.read("config.bin"), config);
    EXPECT_EQ(folder.read("str.ini"), testing::bytesOf(kCraftedStrIni));

    // Over an empty installation the profile brings every value it shows.
    folder.write("config.bin", Bytes(191, 0));
    std::filesystem::remove(folder.at("str.ini"));
    folder.write("str.ini", testing::bytesOf("[Skins]\r\nLan=CHS\r\n"));
    ASSERT_EQ(run({"import", path("p.ini")}, false).code, 0);
    ASSERT_EQ(run({"export", path("again.ini")}, false).code, 0);
    EXPECT_EQ(folder.read("again.ini"), folder.read("p.ini"));
}

TEST_F(Ctl, ExportedProfileReadsInWords) {
    SettingsRecord r;
    r[rec::kReportRateCode] = 1;
    r[rec::kStageLevel] = 4;
    r[rec::kStageEnabled] = 1;
    r[rec::kStageColour] = 0xFF;
    r[rec::kLightMode] = 1;
    r[rec::kLightBrightness] = 9;
    r[rec::kPointerSpeedPos] = 6;
    r.button(rec::kAssignType, Mode::B, 7) = 9;
    r.button(rec::kFireKeyUsage, Mode::B, 7) = 0xF0;
    r.button(rec::kFireTimes, Mode::B, 7) = 1;
    putConfig(r);

    // Options may follow the command, their values after `=`.
    ASSERT_EQ(
        run({"export", path("p.ini"), "--sensor=1", "--config=" + path("config.bin")}, false).code,
        0);

    const Bytes bytes = folder.read("p.ini");
    const std::string text(bytes.begin() + 3, bytes.end());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{0xEF, 0xBB, 0xBF}));
    for (const char* line :
         {"[Profile]\r\nFormat=1\r\n", "[ReportRate]\r\nRate=1000 Hz\r\n",
          "SensorType=1\r\nStage1Level=1250\r\nStage1Tick=on\r\nStage1Colour=#FF0000\r\n",
          "[Lighting]\r\nMode=Standard Mode\r\nBrightness=100%\r\n",
          "Button7=Fire Key: L-Button, 1 time\r\n", "MouseSpeed=6\r\n", "Label1=\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(Ctl, ImportReportsEveryProblemWithItsLineAndChangesNothing) {
    putConfig(craftedRecord());
    folder.write("str.ini", testing::bytesOf(kCraftedStrIni));
    const Bytes config = folder.read("config.bin");
    folder.write("bad.ini", testing::bytesOf("[Profile]\n"
                                             "Format=1\n"
                                             "; a comment\n"
                                             "[ReportRate]\n"
                                             "Rate=300 Hz\n"
                                             "[ModeA]\n"
                                             "Button1=Right Click\n"
                                             "Button2=Fire Key: A\n"
                                             "Colour=#123456\n"
                                             "[DPI]\n"
                                             "Stage1Level=byte 3\n"));

    const Result r = run({"import", path("bad.ini")}, false);

    EXPECT_EQ(r.code, 4);
    const std::string file = path("bad.ini");
    EXPECT_EQ(r.err, file +
                         ":5: Rate: \"300 Hz\" is not one of 1000 Hz, 500 Hz, 250 Hz or 125 Hz\n" +
                         file +
                         ":6: no button of [ModeA] is a Left Click: the mouse would have "
                         "no left button in that mode\n" +
                         file +
                         ":8: Button2: Fire Key needs a key of the fire-key list and a "
                         "count, as in \"Fire Key: A, 5 times\" or \"Fire Key: L-Button, "
                         "until released\"; the count is 1 to 127 times or until released\n" +
                         file + ":9: unknown key Colour in [ModeA]\n" + file +
                         ":11: Stage1Level: \"byte 3\" is not one of 600, 800, 1000, 1200, 1600, "
                         "2000, 2400 or 3200\n"
                         "trv418ctl: 5 problem(s) in " +
                         file + "; nothing was changed\n");
    EXPECT_EQ(folder.read("config.bin"), config);
    EXPECT_EQ(folder.read("str.ini"), testing::bytesOf(kCraftedStrIni));

    folder.write("b.trvb", testing::bytesOf("TRVB\x01"));
    const Result backup = run({"import", path("b.trvb")}, false);
    EXPECT_EQ(backup.code, 4);
    EXPECT_EQ(backup.err, "trv418ctl: " + path("b.trvb") +
                              " is a backup of the mouse, not a profile; `trv418ctl restore " +
                              path("b.trvb") + "` writes it to the mouse\n");
    EXPECT_EQ(folder.read("config.bin"), config);
}

// What the page cannot set (another program or a damaged file put it there)
// is exported as "byte N" to be seen, and refused on the way back.
TEST_F(Ctl, ValuesThePageCannotSetAreExportedAsBytesAndRefusedWithTheirLines) {
    SettingsRecord odd = craftedRecord();
    odd[rec::kReportRateCode] = 99;
    odd[rec::kFireMakeTime] = 4;
    odd.button(rec::kAssignType, Mode::A, 8) = 14;
    odd.button(rec::kFireKeyUsage, Mode::B, 7) = 0x99;
    odd.button(rec::kFireTimes, Mode::B, 7) = 200;
    putConfig(odd);
    ASSERT_EQ(run({"export", path("p.ini")}, false).code, 0);
    const Bytes config = folder.read("config.bin");

    const Result r = run({"import", path("p.ini")}, false);

    EXPECT_EQ(r.code, 4);
    const Bytes bytes = folder.read("p.ini");
    const std::string text(bytes.begin(), bytes.end());
    auto lineOf = [&](const std::string& line) {
        const std::size_t at = text.find("\n" + line + "\r\n");
        return at == std::string::npos ? 0 : 2 + std::count(text.begin(), text.begin() + at, '\n');
    };
    for (const std::string line : {"Rate=byte 99", "FireMakeTime=byte 4", "Button8=byte 14",
                                   "Button7=Fire Key: byte 153, byte 200"}) {
        const std::string key = line.substr(0, line.find('='));
        const std::string told = path("p.ini") + ":" + std::to_string(lineOf(line)) + ": " + key;
        EXPECT_NE(lineOf(line), 0) << line;
        EXPECT_NE(r.err.find(told), std::string::npos) << told << "\n" << r.err;
    }
    EXPECT_NE(r.err.find("4 problem(s)"), std::string::npos) << r.err;
    EXPECT_EQ(folder.read("config.bin"), config);
}

// The single-key dialog takes a key by its name or, failing that, by its
// place on the keyboard; every key it can take comes back from the profile.
TEST(CtlWords, EveryKeyTheSingleKeyDialogTakesReadsBackFromItsWords) {
    SettingsRecord record = craftedRecord();
    record.button(rec::kAssignType, Mode::A, 2) = 10;
    for (std::uint32_t scan = 0; scan <= 0xFF; ++scan) {
        for (std::uint32_t extended : {0u, 1u << 24}) {
            const std::uint8_t usage = singleKeyUsage(u"", scan << 16 | extended);
            record.button(rec::kSingleKeyUsage, Mode::A, 2) = usage;
            const readable::ImportedProfile back = readable::importProfile(
                readable::exportProfile(record, {}, 0), SettingsRecord{}, {});
            ASSERT_TRUE(back.problems.empty())
                << "usage " << int{usage} << ": " << readable::utf8(back.problems[0].text);
            EXPECT_EQ(back.record.button(rec::kSingleKeyUsage, Mode::A, 2), usage);
        }
    }
}

TEST_F(Ctl, APartialProfileSetsOnlyItsKeysAndMarksTheSettingsApplied) {
    SettingsRecord before = craftedRecord();
    Bytes fresh(191, 0);
    std::copy(before.bytes.begin(), before.bytes.end(), fresh.begin() + 1);
    folder.write("config.bin", fresh);
    folder.write("p.ini",
                 testing::bytesOf("[profile]\nformat=1\n[ModeB]\nbutton2 = windows: mail\n"));

    ASSERT_EQ(run({"import", path("p.ini")}, false).code, 0);

    SettingsRecord expected = before;
    expected.button(rec::kAssignType, Mode::B, 2) = 6;
    expected.button(rec::kWindowsCode, Mode::B, 2) = 1;
    const auto bytes = settingsFileBytes(1, expected);
    EXPECT_EQ(folder.read("config.bin"), Bytes(bytes.begin(), bytes.end()));
    EXPECT_FALSE(folder.exists("str.ini")) << "no label given, str.ini left alone";
}

// --- files ----------------------------------------------------------------------

TEST_F(Ctl, AFileThatCannotBeReadOrWrittenExitsWithSixAndSaysWhatToDo) {
    putMouse(VirtualMouse::factoryContents());
    folder.write("p.ini", testing::bytesOf("[Profile]\nFormat=1\n"));
    const std::string nowhere = path("nowhere/config.bin");

    const Result named = run({"import", path("p.ini"), "--config", nowhere}, false);
    EXPECT_EQ(named.code, 6);
    EXPECT_EQ(named.out, "");
    EXPECT_EQ(named.err, "trv418ctl: " + nowhere + " does not exist; check the path\n");
    EXPECT_FALSE(folder.exists("nowhere"));
    EXPECT_EQ(run({"restore", path("none.trvb")}).code, 6);

    // Beside the tool a missing config.bin is made.
    const Result beside = run({"import", path("p.ini")}, false);
    EXPECT_EQ(beside.code, 0) << beside.err;
    EXPECT_EQ(folder.read("config.bin").size(), 191u);

    const Result noFolder = run({"backup", path("no/b.trvb")});
    EXPECT_EQ(noFolder.code, 6);
    EXPECT_NE(noFolder.err.find(path("no/b.trvb") + " cannot be written: System text "),
              std::string::npos)
        << noFolder.err;
    EXPECT_NE(noFolder.err.find("; check that the folder exists"), std::string::npos);

    files.refusal = 5;
    for (const char* command : {"backup", "export"}) {
        const Result denied = run({command, path("x")}, command == std::string("backup"));
        EXPECT_EQ(denied.code, 6) << command;
        EXPECT_EQ(denied.err, "trv418ctl: " + path("x") +
                                  " cannot be written: System text 5. (5); this command needs an "
                                  "administrator prompt: open the command prompt with \"Run as "
                                  "administrator\" and run the command there, or choose a "
                                  "folder you may write to\n");
    }
}

TEST_F(Ctl, AccessDeniedOnAnyFileAsksForAnAdministratorPromptExitsWithSixAndChangesNothing) {
    putMouse(VirtualMouse::factoryContents());
    putConfig(craftedRecord());
    PortableProfileStore(folder.path16("str.ini")).write(u"Setting-EN", u"Item1", u"Mine");
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);
    folder.write("p.ini", testing::bytesOf("[Profile]\r\nFormat=1\r\n[ModeA]\r\nLabel1=New\r\n"));
    const Bytes mouseBefore = mouse();
    const Bytes configBefore = folder.read("config.bin");
    const Bytes strIniBefore = folder.read("str.ini");
    const std::string prompt =
        "; this command needs an administrator prompt: open the command prompt with \"Run as "
        "administrator\" and run the command there";

    const struct {
        const char* refused;
        bool reading;
        std::vector<std::string> args;
    } cases[] = {
        // Read before anything else: the mouse is not written either.
        {"config.bin", true, {"apply"}},
        {"config.bin", true, {"export", path("out.ini")}},
        {"config.bin", true, {"restore", path("b.trvb")}},
        {"config.bin", true, {"import", path("p.ini")}},
        {"config.bin", true, {"backup", path("new.trvb")}},
        {"str.ini", true, {"apply"}},
        {"str.ini", true, {"export", path("out.ini")}},
        {"str.ini", true, {"backup", path("new.trvb")}},
        {"b.trvb", true, {"restore", path("b.trvb")}},
        {"p.ini", true, {"import", path("p.ini")}},
        // Written after the mouse took the block: both files keep their bytes.
        {"config.bin", false, {"apply"}},
        {"str.ini", false, {"apply"}},
        {"str.ini", false, {"restore", path("b.trvb")}},
        {"config.bin", false, {"import", path("p.ini")}},
    };
    for (const auto& c : cases) {
        files.refusedName = u16(c.refused);
        files.readRefusal.reset();
        files.refusal.reset();
        (c.reading ? files.readRefusal : files.refusal) = 5;
        const bool withMouse = c.args[0] != "export" && c.args[0] != "import";
        const Result r = run(c.args, withMouse);
        SCOPED_TRACE(c.args[0] + " with " + c.refused +
                     (c.reading ? " unreadable" : " unwritable"));
        EXPECT_EQ(r.code, 6) << r.err;
        const std::string refusedPath =
            c.refused == std::string("b.trvb") || c.refused == std::string("p.ini")
                ? path(c.refused)
                : folder.at(c.refused).string();
        EXPECT_EQ(r.err, "trv418ctl: " + refusedPath +
                             (c.reading ? " cannot be read" : " cannot be written") +
                             ": System text 5. (5)" + prompt +
                             (c.reading ? "\n" : ", or choose a folder you may write to\n"));
        if (c.reading) {
            EXPECT_EQ(mouse(), mouseBefore);
        }
        EXPECT_EQ(folder.read("config.bin"), configBefore);
        EXPECT_EQ(folder.read("str.ini"), strIniBefore);
        EXPECT_FALSE(folder.exists("out.ini"));
        EXPECT_FALSE(folder.exists("new.trvb"));
    }
}

// --- apply ----------------------------------------------------------------------

TEST_F(Ctl, ApplyWritesTheBlockTheProgramsOkWouldAndSetsThePointer) {
    SettingsRecord record = craftedRecord();
    record[rec::kModeShown] = 0;
    record.button(rec::kAssignType, Mode::A, 8) = 0;  // no byte escapes: a record the page makes
    putConfig(record);
    putMouse(VirtualMouse::factoryContents());

    const Result r = run({"apply"});

    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(programNotices, 1) << "a running program is told";
    ConfigBlock expected = VirtualMouse::factoryContents();
    SettingsRecord applied = record;
    rebuildOwnedFields(applied, 0, expected);
    EXPECT_EQ(mouse(), blockBytes(expected));
    const auto config = settingsFileBytes(1, applied);
    EXPECT_EQ(folder.read("config.bin"), Bytes(config.begin(), config.end()));
    EXPECT_EQ(pointer.speed, 20);
    EXPECT_EQ(pointer.doubleClick, 900u);

    pointer.calls.clear();
    EXPECT_EQ(run({"apply", "--no-pointer"}).code, 0);
    EXPECT_EQ(std::count_if(pointer.calls.begin(), pointer.calls.end(),
                            [](const std::string& c) { return c.starts_with("set"); }),
              0);
}

TEST_F(Ctl, ApplyExitCodesTellAMissingMouseARefusedOneAndAnUnusableConfigBin) {
    putMouse(VirtualMouse::factoryContents());
    EXPECT_EQ(run({"apply"}).code, 6) << "no config.bin";
    folder.write("config.bin", Bytes(190, 1));
    EXPECT_EQ(run({"apply"}).code, 4) << "config.bin of 190 bytes";
    putConfig(craftedRecord());
    EXPECT_EQ(run({"apply"}, false).code, 2);
    folder.write("virtual-mouse-faults.txt", testing::bytesOf("wrong-signature\n"));
    const Result refused = run({"apply"});
    EXPECT_EQ(refused.code, 3);
    EXPECT_NE(refused.err.find("reading the mouse's configuration: the mouse answered without "
                               "its signature"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(folder.read("config.bin"), [] {
        const auto b = settingsFileBytes(1, craftedRecord());
        return Bytes(b.begin(), b.end());
    }());
}

TEST_F(Ctl, FailedApplyImportAndRestoreLeaveConfigBinAndStrIniByteIdentical) {
    putMouse(VirtualMouse::factoryContents());
    putConfig(craftedRecord());
    PortableProfileStore strIni(folder.path16("str.ini"));
    strIni.write(u"Setting-EN", u"Item1", u"Mine");
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);
    ConfigBlock since = VirtualMouse::factoryContents();
    since.image[64] ^= 0xFF;
    putMouse(since);
    putConfig(SettingsRecord{});
    strIni.write(u"Setting-EN", u"Item1", u"Now");
    const Bytes configBefore = folder.read("config.bin");
    const Bytes strIniBefore = folder.read("str.ini");
    folder.write("p.ini", testing::bytesOf("[Profile]\r\nFormat=1\r\n[ReportRate]\r\n"
                                           "Rate=500 Hz\r\n[ModeA]\r\nLabel1=Other\r\n"));

    const struct {
        const char* fault;
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {"refuses-pages", {"apply"}, 3},
        {"forgets-pages", {"apply"}, 5},
        {"refuses-pages", {"restore", path("b.trvb")}, 3},
        {"forgets-pages", {"restore", path("b.trvb")}, 5},
    };
    for (const auto& c : cases) {
        folder.write("virtual-mouse-faults.txt", testing::bytesOf(c.fault));
        const Result r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.fault << " " << c.args[0] << ": " << r.err;
        EXPECT_EQ(folder.read("config.bin"), configBefore) << c.fault << " " << c.args[0];
        EXPECT_EQ(folder.read("str.ini"), strIniBefore) << c.fault << " " << c.args[0];
    }
    // str.ini cannot be replaced after config.bin was: config.bin gets its bytes back.
    files.refusal = 5;
    files.refusedName = u"str.ini";
    const Result imported = run({"import", path("p.ini")}, false);
    EXPECT_EQ(imported.code, 6) << imported.err;
    EXPECT_EQ(folder.read("config.bin"), configBefore);
    EXPECT_EQ(folder.read("str.ini"), strIniBefore);
    EXPECT_EQ(programNotices, 0);
}

// --- dry run --------------------------------------------------------------------

TEST_F(Ctl, DryRunPrintsTheFramesOfTheWriteAndSendsNone) {
    putMouse(VirtualMouse::factoryContents());
    ASSERT_EQ(run({"backup", path("b.trvb")}).code, 0);
    ConfigBlock changed = VirtualMouse::factoryContents();
    changed.image[1] = 0x00;
    putMouse(changed);
    putConfig(craftedRecord());
    const Bytes mouseBefore = mouse();
    const Bytes configBefore = folder.read("config.bin");
    std::filesystem::remove(folder.at("virtual-mouse-wire.log"));

    const Result restore = run({"--dry-run", "restore", path("b.trvb")});
    const Result apply = run({"apply", "--dry-run"});

    EXPECT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(apply.code, 0) << apply.err;
    EXPECT_EQ(mouse(), mouseBefore);
    EXPECT_EQ(folder.read("config.bin"), configBefore);
    EXPECT_TRUE(std::none_of(pointer.calls.begin(), pointer.calls.end(),
                             [](const std::string& c) { return c.starts_with("set"); }));
    // The reads before the write still ask the mouse; nothing else reached it.
    std::istringstream log(wireLog());
    int sent = 0;
    for (std::string line, plain; std::getline(log, line);) {
        if (!line.starts_with("to mouse") || !std::getline(log, plain)) continue;
        ++sent;
        EXPECT_EQ(line.find(" data "), std::string::npos) << line;
        const std::string command = plain.substr(plain.find("plain ") + 6 + 5 * 3, 2);
        EXPECT_TRUE(command == "80" || (command >= "81" && command <= "85")) << plain;
    }
    EXPECT_EQ(sent, 2 * 6) << "one read each";
    // Page 1 as the backup has it, and as apply would leave the mouse's own.
    const std::uint8_t factoryByte1 = VirtualMouse::factoryContents().image[1];
    const std::pair<const Result*, std::uint8_t> runs[] = {{&restore, factoryByte1},
                                                           {&apply, 0x00}};
    for (auto [r, byte1] : runs) {
        const std::string& out = r->out;
        std::size_t frames = 0;
        for (std::size_t at = 0; (at = out.find("not sent, ", at)) != std::string::npos; ++at) {
            ++frames;
        }
        EXPECT_EQ(frames, 12u) << "header query, header write, five page commands and pages";
        EXPECT_EQ(static_cast<int>(out.find("not sent, command plain 01 AA CC EE DD 80 00 00")), 0);
        // The header write frame carries back the mouse's own byte 5 and header byte 1.
        EXPECT_NE(out.find("not sent, command plain 01 AA CC EE DD C0 "), std::string::npos);
        char page1[40];
        std::snprintf(page1, sizeof page1, "not sent, data    plain 00 %02X %02X ",
                      VirtualMouse::factoryContents().image[0], byte1);
        EXPECT_NE(out.find(page1), std::string::npos) << out;
        EXPECT_NE(out.find("Dry run: nothing was sent to the mouse"), std::string::npos);
    }
}

}  // namespace
}  // namespace trv
