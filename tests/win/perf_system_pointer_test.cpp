#include <windows.h>

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

// What the next log-on starts from: the user's profile in the registry.
std::wstring profileValue(const wchar_t* key, const wchar_t* name) {
    wchar_t value[64] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

TEST_F(SystemPointerTest, EverySettingIsKeptForTheNextLogOn) {
    ASSERT_TRUE(system.setMouseParameters({6, 10, 1}));
    ASSERT_TRUE(system.setMouseSpeed(14));
    ASSERT_TRUE(system.setWheelScrollLines(7));
    ASSERT_TRUE(system.setDoubleClickTime(340));
    EXPECT_EQ(profileValue(L"Control Panel\\Mouse", L"MouseSpeed"), L"1");
    EXPECT_EQ(profileValue(L"Control Panel\\Mouse", L"MouseThreshold2"), L"10");
    EXPECT_EQ(profileValue(L"Control Panel\\Mouse", L"MouseSensitivity"), L"14");
    EXPECT_EQ(profileValue(L"Control Panel\\Desktop", L"WheelScrollLines"), L"7");
    EXPECT_EQ(profileValue(L"Control Panel\\Mouse", L"DoubleClickSpeed"), L"340");
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
