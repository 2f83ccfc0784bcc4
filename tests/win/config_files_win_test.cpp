#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "config/portable_profile_store.h"
#include "config/settings_file_disk.h"
#include "config/settings_file_paths.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "tests/contract/ini_store_contract.h"
#include "tests/contract/profile_store_contract.h"
#include "tests/contract/settings_file_contract.h"
#include "window/handles.h"

namespace trv::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Windows, SettingsFileContract,
    ::testing::Values(
        NamedFileSystemFactory{
            "Win32",
            [](std::function<bool()> beforeReplace) -> std::unique_ptr<SettingsFileSystem> {
                return std::make_unique<win::WinSettingsFileSystem>(std::move(beforeReplace));
            }},
        NamedFileSystemFactory{
            "Disk",
            [](std::function<bool()> beforeReplace) -> std::unique_ptr<SettingsFileSystem> {
                return std::make_unique<DiskSettingsFileSystem>(std::move(beforeReplace));
            }}),
    factoryName);

std::unique_ptr<ProfileStore> win32Store(const std::u16string& path) {
    return std::make_unique<win::WinProfileStore>(path);
}
std::unique_ptr<ProfileStore> portableStore(const std::u16string& path) {
    return std::make_unique<PortableProfileStore>(path);
}

INSTANTIATE_TEST_SUITE_P(Windows, ProfileStoreContract,
                         ::testing::Values(NamedStoreFactory{"Win32", win32Store},
                                           NamedStoreFactory{"Portable", portableStore}),
                         storeName);
INSTANTIATE_TEST_SUITE_P(Windows, IniStoreContract,
                         ::testing::Values(NamedStoreFactory{"Win32", win32Store},
                                           NamedStoreFactory{"Portable", portableStore}),
                         storeName);

TEST(ExecutablePath, NamesTheRunningProgramSoItsFilesSitBesideIt) {
    const std::u16string path = win::executablePath();
    ASSERT_GT(path.size(), std::u16string_view(u"win_tests.exe").size());
    EXPECT_TRUE(path.ends_with(u"\\win_tests.exe")) << std::string(path.begin(), path.end());
    const SettingsFilePaths paths = settingsFilePaths(path);
    EXPECT_EQ(paths.configBin, path.substr(0, path.size() - 13) + u"config.bin");
}

TEST(ConfigBinSave, AProgramReadingConfigBinForAMomentOnlyDelaysTheSave) {
    TempFolder folder;
    folder.write("config.bin", Bytes(settings_file::kSize, 0x11));
    // A virus scanner, say, that lets nobody delete or rename the file.
    win::FileHandle held(::CreateFileW(folder.at("config.bin").wstring().c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    const auto start = std::chrono::steady_clock::now();
    std::thread reader([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.reset();
    });
    const Bytes saved(settings_file::kSize, 0x22);
    const WriteResult result =
        win::WinSettingsFileSystem().replaceWhole(folder.path16("config.bin"), saved);
    const auto waited = std::chrono::steady_clock::now() - start;
    reader.join();
    EXPECT_TRUE(result.written) << "error " << result.systemError;
    EXPECT_GE(waited, std::chrono::milliseconds(250)) << "the reader held the replacement off";
    EXPECT_EQ(folder.read("config.bin"), saved);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"config.bin"}));
}

// str.ini as an installer leaves it: UTF-16, the skin section first.
Bytes installedStrIni() {
    const std::u16string text =
        u"\uFEFF[Skins]\r\nLan=BUL\r\nPath=Amber\r\nRColor=255\r\n[Setting-BUL]\r\nItem1=old\r\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return Bytes(bytes, bytes + text.size() * sizeof(char16_t));
}

ButtonLabels labelsNamed(std::u16string_view stem) {
    ButtonLabels labels;
    for (std::size_t i = 0; i < labels.texts.size(); ++i) {
        labels.texts[i] = std::u16string(stem) + static_cast<char16_t>(u'a' + i);
    }
    return labels;
}

TEST(StrIniSave, LabelsLandTogetherTheRestStaysAndNoCopyIsLeft) {
    TempFolder folder;
    const Bytes installed = installedStrIni();
    folder.write("str.ini", installed);
    {
        win::WinProfileStore store(folder.path16("str.ini"));
        store.beginBatch();
        for (int i = 1; i <= 8; ++i) {
            EXPECT_TRUE(store.write(u"Setting-BUL", u"Item" + std::u16string(1, u'0' + i), u"new"));
        }
        EXPECT_EQ(store.read(u"Setting-BUL", u"Item8"), u"new") << "a batch reads its own writes";
        EXPECT_EQ(folder.read("str.ini"), installed) << "cut off here, str.ini is whole";
        EXPECT_TRUE(store.commitBatch());
    }
    ButtonLabels loaded;
    SkinSettings skin;
    win::WinProfileStore saving(folder.path16("str.ini"));
    SaveIniStore(saving, u"Setting-BUL", labelsNamed(u"L"));
    LoadIniStore(win::WinProfileStore(folder.path16("str.ini")), u"Setting-BUL", loaded, skin);
    EXPECT_EQ(loaded, labelsNamed(u"L"));
    EXPECT_EQ(skin, (SkinSettings{u"Amber", 255, 0, 0}));
    const Bytes saved = folder.read("str.ini");
    const std::size_t skinsSection =
        installed.size() - std::u16string_view(u"[Setting-BUL]\r\nItem1=old\r\n").size() * 2;
    ASSERT_GT(saved.size(), skinsSection);
    EXPECT_TRUE(std::equal(installed.begin(),
                           installed.begin() + static_cast<std::ptrdiff_t>(skinsSection),
                           saved.begin()));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"str.ini"}));

    // Without str.ini the save makes it, UTF-16 as a single write would.
    TempFolder fresh;
    win::WinProfileStore first(fresh.path16("str.ini"));
    SaveIniStore(first, u"Setting-EN", labelsNamed(u"F"));
    const Bytes made = fresh.read("str.ini");
    ASSERT_GE(made.size(), 2u);
    EXPECT_EQ(made[0], 0xFF);
    EXPECT_EQ(made[1], 0xFE);
    EXPECT_EQ(fresh.names(), (std::set<std::string>{"str.ini"}));
}

TEST(StrIniSave, ASaveThatCannotReplaceStrIniLeavesItByteForByteAndNoCopy) {
    TempFolder folder;
    const Bytes installed = installedStrIni();
    folder.write("str.ini", installed);
    {
        // Another program reads str.ini and lets nobody delete or rename it meanwhile.
        win::FileHandle held(::CreateFileW(folder.at("str.ini").wstring().c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        win::WinProfileStore store(folder.path16("str.ini"));
        SaveIniStore(store, u"Setting-BUL", labelsNamed(u"L"));
    }
    EXPECT_EQ(folder.read("str.ini"), installed);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"str.ini"}));

    // A program that ends in the middle of a save leaves str.ini whole.
    {
        win::WinProfileStore store(folder.path16("str.ini"));
        store.beginBatch();
        EXPECT_TRUE(store.write(u"Setting-BUL", u"Item1", u"half"));
    }
    EXPECT_EQ(folder.read("str.ini"), installed);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"str.ini"}));
}

// The tool tells access denied apart from other failures by the number kept here.
TEST(SettingsFileRead, AFailedReadKeepsTheSystemsErrorNumber) {
    TempFolder folder;
    folder.write("config.bin", Bytes(191, 0));
    win::WinSettingsFileSystem files;

    const ReadResult missing = files.readWithCause(folder.path16("none.bin"), 1024);
    EXPECT_FALSE(missing.bytes);
    EXPECT_EQ(missing.systemError, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    const ReadResult tooLarge = files.readWithCause(folder.path16("config.bin"), 190);
    EXPECT_FALSE(tooLarge.bytes);
    EXPECT_EQ(tooLarge.systemError, 0u);
    {
        // Another program holds config.bin and shares it with nobody.
        win::FileHandle held(::CreateFileW(folder.at("config.bin").wstring().c_str(),
                                           GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const ReadResult shared = files.readWithCause(folder.path16("config.bin"), 1024);
        EXPECT_FALSE(shared.bytes);
        EXPECT_EQ(shared.systemError, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    }
    const ReadResult read = files.readWithCause(folder.path16("config.bin"), 1024);
    ASSERT_TRUE(read.bytes);
    EXPECT_EQ(read.bytes->size(), 191u);
}

}  // namespace
}  // namespace trv::testing
