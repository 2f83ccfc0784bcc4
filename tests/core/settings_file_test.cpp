#include "config/settings_file.h"

#include <gtest/gtest.h>

#include "config/settings_file_disk.h"
#include "config/settings_file_paths.h"
#include "tests/contract/settings_file_contract.h"

namespace trv::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Disk, SettingsFileContract,
    ::testing::Values(NamedFileSystemFactory{
        "Disk",
        [](std::function<bool()> beforeReplace) -> std::unique_ptr<SettingsFileSystem> {
            return std::make_unique<DiskSettingsFileSystem>(std::move(beforeReplace));
        }}),
    factoryName);

TEST(SettingsFilePaths, FilesSitBesideTheExecutableWhateverItAndItsFolderAreCalled) {
    struct Row {
        std::u16string_view executable;
        std::u16string_view folder;
    };
    const Row rows[] = {
        {u"C:\\Program Files\\TRV418\\TRV418.exe", u"C:\\Program Files\\TRV418\\"},
        {u"C:\\Games\\TRV418.exe\\TRV418.exe", u"C:\\Games\\TRV418.exe\\"},
        {u"D:\\TRV418.exe.bak\\TRV418.exe", u"D:\\TRV418.exe.bak\\"},
        {u"C:\\Tools\\mouse-setup.exe", u"C:\\Tools\\"},
        {u"C:\\Tools\\trv418.exe", u"C:\\Tools\\"},
        {u"C:\\Tools\\TRV418.exe.exe", u"C:\\Tools\\"},
        {u"\\\\server\\share\\TRV418.exe", u"\\\\server\\share\\"},
        {u"C:/mixed/slashes/TRV418.exe", u"C:/mixed/slashes/"},
        {u"C:TRV418.exe", u"C:"},
        {u"TRV418.exe", u""},
    };
    for (const Row& row : rows) {
        const SettingsFilePaths paths = settingsFilePaths(row.executable);
        const std::u16string folder(row.folder);
        EXPECT_EQ(paths.folder, folder);
        EXPECT_EQ(paths.configBin, folder + u"config.bin");
        EXPECT_EQ(paths.recordIni, folder + u"record.ini");
        EXPECT_EQ(paths.strIni, folder + u"str.ini");
        EXPECT_NE(paths.configBin, row.executable);
        EXPECT_NE(paths.strIni, row.executable);
    }
}

TEST(SettingsFilePaths, AnExecutableNamedLikeASettingsFileIsNeverTakenForIt) {
    const SettingsFilePaths named = settingsFilePaths(u"C:\\x\\CONFIG.BIN");
    EXPECT_EQ(named.configBin, u"");
    EXPECT_EQ(named.strIni, u"C:\\x\\str.ini");
    EXPECT_EQ(settingsFilePaths(u"C:\\x\\str.ini").strIni, u"");

    DiskSettingsFileSystem files;
    MessageLog messages;
    std::uint8_t flag = 0;
    SettingsRecord record;
    LoadSettingsFile(files, named.configBin, flag, record, messages);
    SaveSettingsFile(files, named.configBin, record, messages);
    EXPECT_EQ(messages.shown.size(), 2u) << "both say the file is not there";
}

TEST(SettingsFilePaths, TheSkinFolderFollowsTheExecutablesFolderAndSkinName) {
    const SettingsFilePaths paths = settingsFilePaths(u"C:\\Program Files\\TRV418\\TRV418.exe");
    EXPECT_EQ(skinFolder(paths, u"Default"), u"C:\\Program Files\\TRV418\\/Skins/Default");
    EXPECT_EQ(skinFolder(paths, u"") + u"/main.png",
              u"C:\\Program Files\\TRV418\\/Skins//main.png");
}

}  // namespace
}  // namespace trv::testing
