#include "app/balloon.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

std::u16string stageLabel(int stage) {
    return stage == 2 ? u"1600" : u"800";
}

std::optional<Balloon> english(std::uint32_t code, std::int64_t argument) {
    return balloonFor(code, argument, Language::English, stageLabel);
}

TEST(Balloon, EveryListedRequestShowsItsTextTitleAndTimeout) {
    struct Row {
        std::uint32_t code;
        std::int64_t argument;
        Balloon expected;
    };
    const Row rows[] = {
        {5, 1, {u"Switch report rate into 1000HZ", u"Info", 5000}},
        {5, 2, {u"Switch report rate into 500HZ", u"Info", 5000}},
        {5, 4, {u"Switch report rate into 250HZ", u"Info", 5000}},
        {5, 8, {u"Switch report rate into 125HZ", u"Info", 5000}},
        {7, 1, {u"Switch DPI into the first stage 800", u"Info", 5000}},
        {7, 2, {u"Switch DPI into the second stage 1600", u"Info", 5000}},
        {7, 3, {u"Switch DPI into the third stage 800", u"Info", 5000}},
        {7, 4, {u"Switch DPI into the fourth stage 800", u"Info", 5000}},
        {8, 1, {u"Switch to key matrix 1", u"Info", 5000}},
        {8, 2, {u"Switch to key matrix 2", u"Info", 5000}},
        {9, 1, {u"Switch to macro key1", u"Info", 5000}},
        {9, 12, {u"Switch to macro key12", u"Info", 5000}},
        {14, 0, {u"The system detect the gaming mouse.", u"Info", 100}},
        {14, 77, {u"The system detect the gaming mouse.", u"Info", 100}},
        {15, 0, {u"The system did not detect the gaming mouse!", u"Warning", 100}},
        {15, -3, {u"The system did not detect the gaming mouse!", u"Warning", 100}},
        {16, 0, {u"Settings changed outside the program.", u"Info", 5000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " argument " << row.argument);
        auto balloon = english(row.code, row.argument);
        ASSERT_TRUE(balloon.has_value());
        EXPECT_EQ(*balloon, row.expected);
    }
}

TEST(Balloon, SeveralMiceFoundSaysWhichOneIsSetLongEnoughToBeRead) {
    EXPECT_EQ(english(18, 0),
              (Balloon{u"The system detects more than one gaming mouse; TRV418 sets the first one.",
                       u"Info", 5000}));
}

TEST(Balloon, UnlistedArgumentsAndUnknownCodesShowNothing) {
    const std::pair<std::uint32_t, std::int64_t> silent[] = {
        {5, 0}, {5, 3}, {5, 16}, {5, 257}, {5, -255}, {7, 0},  {7, 5},  {8, 0},  {8, 3},
        {8, 4}, {9, 0}, {0, 0},  {1, 1},   {6, 1},    {10, 1}, {13, 0}, {17, 0}, {0x402, 1},
    };
    for (auto [code, argument] : silent) {
        EXPECT_FALSE(english(code, argument).has_value()) << code << "/" << argument;
    }
}

TEST(Balloon, StageBalloonWithoutLevelTableEndsWithItsBlank) {
    auto balloon = balloonFor(7, 3, Language::English, [](int) { return std::u16string(); });
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->text, u"Switch DPI into the third stage ");
}

}  // namespace
}  // namespace trv
