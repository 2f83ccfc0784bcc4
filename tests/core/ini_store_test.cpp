#include "config/ini_store.h"

#include <gtest/gtest.h>

#include "config/portable_profile_store.h"
#include "tests/contract/ini_store_contract.h"

namespace trv::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Portable, IniStoreContract,
                         ::testing::Values(NamedStoreFactory{
                             "Portable",
                             [](const std::u16string& path) -> std::unique_ptr<ProfileStore> {
                                 return std::make_unique<PortableProfileStore>(path);
                             }}),
                         storeName);

TEST(ColourComponent, HandWrittenNumbersKeepTheirLowEightBits) {
    struct Row {
        std::u16string_view text;
        std::uint8_t expected;
    };
    const Row rows[] = {
        {u"230", 230},
        {u"300", 44},
        {u"256", 0},
        {u"-1", 255},
        {u"+7", 7},
        {u" \t12", 12},
        {u"12px", 12},
        {u"1 2", 1},
        {u"0x1F", 0},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u"- 5", 0},
        {u"007", 7},
        {u"\u0663", 0},
        {u"99999999999", 255},
        {u"-99999999999", 0},
        {u"2147483647", 255},
        {u"-2147483648", 0},
        {u"4294967297", 255},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(colourComponent(row.text), row.expected)
            << std::string(row.text.begin(), row.text.end());
    }
}

}  // namespace
}  // namespace trv::testing
