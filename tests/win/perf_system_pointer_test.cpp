#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "perf/pointer.h"
#include "perf/system_pointer_win.h"

namespace trv {
namespace {

// Changes the real settings of the session, and puts the originals back.
class SystemPointerTest : public testing::Test {
  protected:
    void SetUp() override {
        auto parameters = system.mouseParameters();
        auto speed = system.mouseSpeed();
        auto lines = system.wheelScrollLines();
        ASSERT_TRUE(parameters && speed && lines);
        originalParameters = *parameters;
        originalSpeed = *speed;
        originalLines = *lines;
        originalDoubleClick = system.doubleClickTime();
        ASSERT_NE(originalDoubleClick, 0u);
        saved = true;
    }
    void TearDown() override {
        if (!saved) return;
        EXPECT_TRUE(system.setMouseParameters(originalParameters));
        EXPECT_TRUE(system.setMouseSpeed(originalSpeed));
        EXPECT_TRUE(system.setWheelScrollLines(originalLines));
        EXPECT_TRUE(system.setDoubleClickTime(originalDoubleClick));
        EXPECT_EQ(system.mouseSpeed(), originalSpeed);
        EXPECT_EQ(system.doubleClickTime(), originalDoubleClick);
    }

    Win32SystemPointer system;
    bool saved = false;
    MouseParameters originalParameters;
    int originalSpeed = 0;
    std::uint32_t originalLines = 0;
    std::uint32_t originalDoubleClick = 0;
};

TEST_F(SystemPointerTest, EachSettingReadsBackAsWritten) {
    const MouseParameters parameterCases[] = {{6, 10, 1}, {0, 0, 0}};
    for (const MouseParameters& p : parameterCases) {
        ASSERT_TRUE(system.setMouseParameters(p));
        EXPECT_EQ(system.mouseParameters(), p);
    }
    for (int speed : {1, 10, 20}) {
        ASSERT_TRUE(system.setMouseSpeed(speed));
        EXPECT_EQ(system.mouseSpeed(), speed);
    }
    for (std::uint32_t lines : {1u, 7u, kWheelPageScroll}) {
        ASSERT_TRUE(system.setWheelScrollLines(lines));
        EXPECT_EQ(system.wheelScrollLines(), lines);
    }
    for (std::uint32_t ms : {200u, 550u, 900u}) {
        ASSERT_TRUE(system.setDoubleClickTime(ms));
        EXPECT_EQ(system.doubleClickTime(), ms);
    }
}

TEST_F(SystemPointerTest, ApplyThenFirstRunReadGivesThePageItsOwnPositions) {
    struct Row {
        std::uint8_t precision, oneScreen, speed, lines, doubleClick;
    };
    const Row rows[] = {{1, 0, 6, 3, 6}, {0, 1, 11, 0, 11}, {0, 0, 1, 11, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.speed));
        SettingsRecord applied;
        applied[rec::kPointerPrecision] = row.precision;
        applied[rec::kScrollOneScreen] = row.oneScreen;
        applied[rec::kPointerSpeedPos] = row.speed;
        applied[rec::kScrollLinesPos] = row.lines;
        applied[rec::kDoubleClickPos] = row.doubleClick;
        EXPECT_TRUE(writeSystemPointerSettings(applied, system).empty());

        SettingsRecord read;
        EXPECT_TRUE(readSystemPointerSettings(read, system).empty());
        EXPECT_EQ(read, applied);
    }
}

}  // namespace
}  // namespace trv
