#include <gtest/gtest.h>

#include "config/portable_profile_store.h"
#include "config/settings_file_disk.h"
#include "config/settings_file_paths.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "tests/contract/ini_store_contract.h"
#include "tests/contract/profile_store_contract.h"
#include "tests/contract/settings_file_contract.h"

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

}  // namespace
}  // namespace trv::testing
