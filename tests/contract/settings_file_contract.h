#pragma once
// What config.bin does through any SettingsFileSystem, checked on real files.
// A test file includes this once and instantiates it with its file systems:
//   INSTANTIATE_TEST_SUITE_P(Name, SettingsFileContract, ::testing::Values(factory),
//                            factoryName);

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>
#include <regex>
#include <string>
#include <vector>

#include "config/settings_file.h"
#include "tests/contract/temp_folder.h"

namespace trv::testing {

// Makes the file system under test; `beforeReplace` as in DiskSettingsFileSystem.
using SettingsFileSystemFactory =
    std::function<std::unique_ptr<SettingsFileSystem>(std::function<bool()> beforeReplace)>;

struct NamedFileSystemFactory {
    std::string name;
    SettingsFileSystemFactory make;
};

inline void PrintTo(const NamedFileSystemFactory& factory, std::ostream* out) {
    *out << factory.name;
}
inline std::string factoryName(const ::testing::TestParamInfo<NamedFileSystemFactory>& info) {
    return info.param.name;
}

class SettingsFileContract : public ::testing::TestWithParam<NamedFileSystemFactory> {
  protected:
    static constexpr std::string_view kConfig = "config.bin";
    static constexpr std::u16string_view kMissing = u"Config file is not exist.";
    static constexpr std::u16string_view kWriteFailedCaption = u"NULL ==fp ";

    std::unique_ptr<SettingsFileSystem> files(std::function<bool()> beforeReplace = {}) {
        return GetParam().make(std::move(beforeReplace));
    }
    std::u16string configPath() const { return folder.path16(kConfig); }

    // A 191-byte file whose record bytes are all distinct from their offsets' neighbours.
    static Bytes patternedFile(std::uint8_t firstRunFlag) {
        Bytes bytes(settings_file::kSize);
        std::iota(bytes.begin(), bytes.end(), std::uint8_t{0x40});
        bytes[0] = firstRunFlag;
        return bytes;
    }
    static SettingsRecord recordOf(const Bytes& file) {
        SettingsRecord record;
        std::copy(file.begin() + 1, file.end(), record.bytes.begin());
        return record;
    }
    static SettingsRecord presetRecord() {
        SettingsRecord record;
        record.bytes.fill(0xA5);
        return record;
    }

    TempFolder folder;
    MessageLog messages;
};

TEST_P(SettingsFileContract, A191ByteFileGivesItsFlagAndRecord) {
    for (std::uint8_t flag : {0, 1, 7}) {
        const Bytes file = patternedFile(flag);
        folder.write(kConfig, file);
        std::uint8_t firstRunFlag = 0xEE;
        SettingsRecord record;
        LoadSettingsFile(*files(), configPath(), firstRunFlag, record, messages);
        EXPECT_EQ(firstRunFlag, flag);
        EXPECT_EQ(record, recordOf(file));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(SettingsFileContract, AFileOfAnyOtherSizeIsIgnoredSilently) {
    for (std::size_t size : {0, 1, 190, 192, 4096}) {
        folder.write(kConfig, Bytes(size, 0x01));
        std::uint8_t firstRunFlag = 0;
        SettingsRecord record;
        LoadSettingsFile(*files(), configPath(), firstRunFlag, record, messages);
        EXPECT_EQ(firstRunFlag, 0) << size;
        EXPECT_EQ(record, SettingsRecord{}) << size;

        SettingsRecord preset = presetRecord();
        std::uint8_t presetFlag = 3;
        LoadSettingsFile(*files(), configPath(), presetFlag, preset, messages);
        EXPECT_EQ(presetFlag, 3) << size;
        EXPECT_EQ(preset, presetRecord()) << size;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(SettingsFileContract, AMissingFileIsReportedAtLoadAndLeavesTheRecordZero) {
    std::uint8_t firstRunFlag = 0;
    SettingsRecord record;
    LoadSettingsFile(*files(), configPath(), firstRunFlag, record, messages);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{std::u16string(kMissing), u""}}));
    EXPECT_EQ(firstRunFlag, 0);
    EXPECT_EQ(record, SettingsRecord{});
}

TEST_P(SettingsFileContract, AMissingFileIsReportedAtSaveAndNotCreated) {
    SaveSettingsFile(*files(), configPath(), presetRecord(), messages);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{std::u16string(kMissing), u""}}));
    EXPECT_TRUE(folder.names().empty());
}

TEST_P(SettingsFileContract, SaveWritesTheAppliedFlagAndEveryRecordByteAsLoaded) {
    const Bytes original = patternedFile(0);
    folder.write(kConfig, original);
    std::uint8_t firstRunFlag = 0xEE;
    SettingsRecord record;
    LoadSettingsFile(*files(), configPath(), firstRunFlag, record, messages);
    record[rec::kReportRateCode] = 8;

    SaveSettingsFile(*files(), configPath(), record, messages);

    Bytes expected = original;
    expected[0] = 1;
    expected[1 + rec::kReportRateCode] = 8;
    EXPECT_EQ(folder.read(kConfig), expected);
    EXPECT_EQ(firstRunFlag, 0) << "the run stays a first run until the process ends";
    EXPECT_EQ(folder.names(), (std::set<std::string>{"config.bin"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(SettingsFileContract, AFailedWriteShowsTheSystemErrorAndKeepsTheOldFile) {
    // The new bytes cannot be put in place: once because the temporary file
    // cannot be made, once because config.bin is a folder.
    const Bytes original = patternedFile(1);
    folder.write(kConfig, original);
    std::filesystem::create_directory(folder.at("config.bin.tmp"));
    SaveSettingsFile(*files(), configPath(), presetRecord(), messages);
    EXPECT_EQ(folder.read(kConfig), original);
    std::filesystem::remove(folder.at("config.bin.tmp"));

    std::filesystem::remove(folder.at(kConfig));
    std::filesystem::create_directory(folder.at(kConfig));
    SaveSettingsFile(*files(), configPath(), presetRecord(), messages);
    EXPECT_TRUE(std::filesystem::is_directory(folder.at(kConfig)));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"config.bin"}));

    ASSERT_EQ(messages.shown.size(), 2u);
    for (const Shown& shown : messages.shown) {
        const std::string text(shown.text.begin(), shown.text.end());
        EXPECT_TRUE(std::regex_match(text, std::regex("Error Code is: -?[1-9][0-9]* \n"))) << text;
        EXPECT_EQ(shown.caption, kWriteFailedCaption);
    }
}

TEST_P(SettingsFileContract, ASaveStoppedBeforeTheReplaceLeavesTheOldFileWhole) {
    const Bytes original = patternedFile(0);
    folder.write(kConfig, original);
    bool reachedReplace = false;
    SaveSettingsFile(*files([&] { return reachedReplace = true, false; }), configPath(),
                     presetRecord(), messages);
    EXPECT_TRUE(reachedReplace);
    EXPECT_EQ(folder.read(kConfig), original);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"config.bin"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, kWriteFailedCaption);
}

TEST_P(SettingsFileContract, ATemporaryFileLeftByACrashDoesNotStopTheNextSave) {
    folder.write(kConfig, patternedFile(0));
    folder.write("config.bin.tmp", bytesOf("half a save"));
    SaveSettingsFile(*files(), configPath(), presetRecord(), messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(folder.read(kConfig).size(), settings_file::kSize);
    EXPECT_EQ(recordOf(folder.read(kConfig)), presetRecord());
    EXPECT_EQ(folder.names(), (std::set<std::string>{"config.bin"}));
}

// The profiles folder: made when missing, and its files listed by their
// ending in any case, without the folders that end so.
TEST_P(SettingsFileContract, AFolderIsMadeOnceAndListsItsFilesByTheirEnding) {
    const std::u16string profiles = folder.path16("Profiles") + u"/";
    const auto fs = files();
    EXPECT_TRUE(fs->filesIn(profiles, u".ini").empty()) << "no folder yet";
    EXPECT_TRUE(fs->makeFolder(profiles).written);
    EXPECT_TRUE(fs->makeFolder(profiles).written) << "one that is there is fine";
    folder.write("Profiles/FPS.ini", bytesOf("x"));
    folder.write("Profiles/Work.INI", bytesOf("x"));
    folder.write("Profiles/notes.txt", bytesOf("x"));
    std::filesystem::create_directory(folder.at("Profiles/Old.ini"));
    std::vector<std::u16string> names = fs->filesIn(profiles, u".ini");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"FPS.ini", u"Work.INI"}));
    const WriteResult orphan = fs->makeFolder(folder.path16("missing/Profiles") + u"/");
    EXPECT_FALSE(orphan.written) << "its parent must be there";
    EXPECT_NE(orphan.systemError, 0u);
}

}  // namespace trv::testing
