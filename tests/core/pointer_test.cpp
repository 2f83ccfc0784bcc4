#include "perf/pointer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fakes.h"
#include "pointer_fakes.h"

namespace trv {
namespace {

using testing::FakeSystemPointer;

TEST(PointerConversions, PointerSpeedBothWays) {
    const std::pair<std::uint8_t, int> positions[] = {
        {1, 1},   {2, 2}, {6, 10},  {10, 18},
        {11, 20}, {0, 1}, {12, 20}, {255, 20},  // damaged positions count as the nearest end
    };
    for (auto [position, speed] : positions) {
        EXPECT_EQ(pointerSpeedOfPosition(position), speed) << int(position);
    }
    const std::pair<int, std::uint8_t> speeds[] = {
        {1, 1}, {3, 2}, {10, 6}, {19, 10}, {20, 11}, {0, 1}, {-5, 1}, {21, 11}, {100, 11},
    };
    for (auto [speed, position] : speeds) {
        EXPECT_EQ(positionOfPointerSpeed(speed), position) << speed;
    }
}

TEST(PointerConversions, ScrollLinesBothWays) {
    struct Row {
        std::uint8_t position;
        bool oneScreen;
        std::uint32_t lines;
    };
    const Row toSystem[] = {
        {1, false, 1},
        {3, false, 3},
        {11, false, 11},
        {0, false, 1},
        {40, false, 11},
        {3, true, kWheelPageScroll},
        {0, true, kWheelPageScroll},
    };
    for (const Row& row : toSystem) {
        EXPECT_EQ(scrollLinesOfPosition(row.position, row.oneScreen), row.lines)
            << int(row.position) << " " << row.oneScreen;
    }
    const std::pair<std::uint32_t, ScrollSetting> fromSystem[] = {
        {1, {1, false}},
        {3, {3, false}},
        {11, {11, false}},
        {12, {11, false}},
        {0, {1, false}},
        {100, {11, false}},
        {0xFFFFFFFEu, {11, false}},
        {kWheelPageScroll, {0, true}},
    };
    for (auto [lines, setting] : fromSystem) {
        EXPECT_EQ(scrollSettingOfLines(lines), setting) << lines;
    }
}

TEST(PointerConversions, DoubleClickTimeBothWays) {
    const std::pair<std::uint8_t, std::uint32_t> positions[] = {
        {1, 900}, {6, 550}, {11, 200}, {0, 900}, {12, 200}, {255, 200},
    };
    for (auto [position, ms] : positions) {
        EXPECT_EQ(doubleClickTimeOfPosition(position), ms) << int(position);
    }
    const std::pair<std::uint32_t, std::uint8_t> times[] = {
        {900, 1},  {500, 6},  {550, 6},  {200, 11},        {831, 1},
        {830, 2},  {901, 1},  {5000, 1}, {0xFFFFFFFFu, 1},  // slower than the slider
        {199, 11}, {130, 11}, {0, 11},                      // faster than the slider
    };
    for (auto [ms, position] : times) {
        EXPECT_EQ(positionOfDoubleClickTime(ms), position) << ms;
    }
}

TEST(PointerConversions, PrecisionParameters) {
    EXPECT_EQ(mouseParametersOf(true), (MouseParameters{6, 10, 1}));
    EXPECT_EQ(mouseParametersOf(false), (MouseParameters{0, 0, 0}));
}

TEST(PointerControls, SlidersAndTickBoxesChangeOnlyTheirField) {
    SettingsRecord r;
    EXPECT_TRUE(setPointerSliderPosition(r, PointerSlider::Speed, 7));
    EXPECT_TRUE(setPointerSliderPosition(r, PointerSlider::ScrollLines, 1));
    EXPECT_TRUE(setPointerSliderPosition(r, PointerSlider::DoubleClick, 11));
    EXPECT_EQ(r[rec::kPointerSpeedPos], 7);
    EXPECT_EQ(r[rec::kScrollLinesPos], 1);
    EXPECT_EQ(r[rec::kDoubleClickPos], 11);
    EXPECT_EQ(pointerSliderPosition(r, PointerSlider::DoubleClick), 11);

    const SettingsRecord before = r;
    EXPECT_FALSE(setPointerSliderPosition(r, PointerSlider::Speed, 0));
    EXPECT_FALSE(setPointerSliderPosition(r, PointerSlider::Speed, 12));
    EXPECT_EQ(r, before);

    EXPECT_TRUE(toggleScrollOneScreen(r));
    EXPECT_EQ(r[rec::kScrollOneScreen], 1);
    EXPECT_EQ(r[rec::kScrollLinesPos], 1);  // the slider stays
    EXPECT_FALSE(toggleScrollOneScreen(r));
    EXPECT_EQ(r[rec::kScrollOneScreen], 0);
    EXPECT_TRUE(togglePointerPrecision(r));
    EXPECT_EQ(r[rec::kPointerPrecision], 1);
    r[rec::kPointerPrecision] = 7;
    EXPECT_TRUE(togglePointerPrecision(r));
    EXPECT_EQ(r[rec::kPointerPrecision], 1);
}

struct PointerFields {
    std::uint8_t precision, oneScreen, speed, lines, doubleClick;
    bool operator==(const PointerFields&) const = default;
};

PointerFields fieldsOf(const SettingsRecord& r) {
    return {r[rec::kPointerPrecision], r[rec::kScrollOneScreen], r[rec::kPointerSpeedPos],
            r[rec::kScrollLinesPos], r[rec::kDoubleClickPos]};
}

TEST(PointerSystem, FirstRunReadsTheSystemIntoTheRecord) {
    struct Row {
        MouseParameters parameters;
        int speed;
        std::uint32_t lines;
        std::uint32_t doubleClick;
        PointerFields fields;
    };
    const Row rows[] = {
        {{6, 10, 1}, 10, 3, 500, {1, 0, 6, 3, 6}},
        {{0, 0, 0}, 1, 1, 900, {0, 0, 1, 1, 1}},
        {{6, 10, 2}, 20, kWheelPageScroll, 200, {1, 1, 11, 0, 11}},
        {{4, 0, 0}, 3, 30, 1200, {0, 0, 2, 11, 1}},
        {{0, 0, 0}, 10, 0, 100, {0, 0, 6, 1, 11}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.speed);
        FakeSystemPointer system;
        system.parameters = row.parameters;
        system.speed = row.speed;
        system.lines = row.lines;
        system.doubleClick = row.doubleClick;
        SettingsRecord r;
        for (std::size_t i = 0; i < rec::kSize; ++i) r[i] = 0xCC;
        SettingsRecord expected = r;
        EXPECT_TRUE(readSystemPointerSettings(r, system).empty());
        EXPECT_EQ(fieldsOf(r), row.fields);
        const PointerFields f = row.fields;
        expected[rec::kPointerPrecision] = f.precision;
        expected[rec::kScrollOneScreen] = f.oneScreen;
        expected[rec::kPointerSpeedPos] = f.speed;
        expected[rec::kScrollLinesPos] = f.lines;
        expected[rec::kDoubleClickPos] = f.doubleClick;
        EXPECT_EQ(r, expected);
    }
}

TEST(PointerSystem, RefusedReadsWarnInOrderAndGoOnWithZero) {
    FakeSystemPointer system;
    system.refuse = true;
    SettingsRecord r;
    r[rec::kPointerPrecision] = 1;
    EXPECT_EQ(readSystemPointerSettings(r, system),
              (PointerWarnings{u"GETMOUSESPEED failed.", u"GETWHEELSCROLLLINES failed.",
                               u"GetDoubleClickTime failed."}));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"get mouse", "get speed", "get lines",
                                                      "get double-click"}));
    // 0 speed -> 1; 0 lines -> the slider's first position; 0 ms -> the fastest end.
    EXPECT_EQ(fieldsOf(r), (PointerFields{0, 0, 1, 1, 11}));
}

TEST(PointerSystem, ApplyHandsTheRecordToTheSystem) {
    struct Row {
        PointerFields fields;
        MouseParameters parameters;
        int speed;
        std::uint32_t lines;
        std::uint32_t doubleClick;
    };
    const Row rows[] = {
        {{1, 0, 6, 3, 6}, {6, 10, 1}, 10, 3, 550},
        {{0, 0, 1, 1, 11}, {0, 0, 0}, 1, 1, 200},
        {{0, 1, 2, 7, 1}, {0, 0, 0}, 2, kWheelPageScroll, 900},  // one screen wins
        {{1, 0, 11, 0, 0}, {6, 10, 1}, 20, 1, 900},  // "one screen" unticked from position 0
        {{2, 3, 200, 200, 200}, {0, 0, 0}, 20, kWheelPageScroll, 200},  // damaged file
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.speed);
        SettingsRecord r;
        r[rec::kPointerPrecision] = row.fields.precision;
        r[rec::kScrollOneScreen] = row.fields.oneScreen;
        r[rec::kPointerSpeedPos] = row.fields.speed;
        r[rec::kScrollLinesPos] = row.fields.lines;
        r[rec::kDoubleClickPos] = row.fields.doubleClick;
        FakeSystemPointer system;
        EXPECT_TRUE(writeSystemPointerSettings(r, system).empty());
        EXPECT_EQ(system.parameters, row.parameters);
        EXPECT_EQ(system.speed, row.speed);
        EXPECT_EQ(system.lines, row.lines);
        EXPECT_EQ(system.doubleClick, row.doubleClick);
    }
}

TEST(PointerSystem, EveryRefusedWriteWarnsAndTheRestAreStillTried) {
    FakeSystemPointer system;
    system.refuse = true;
    SettingsRecord r;
    EXPECT_EQ(writeSystemPointerSettings(r, system),
              (PointerWarnings{u"SETMOUSE failed.", u"SETMOUSESPEED failed.",
                               u"SETWHEELSCROLLLINES failed.", u"SPI_SETDOUBLECLICKTIME failed."}));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"set mouse", "set speed", "set lines",
                                                      "set double-click"}));
}

}  // namespace
}  // namespace trv
