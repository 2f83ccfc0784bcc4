#include "tools/default_settings.h"

#include <array>

#include "assign/assignment.h"
#include "assign/key_tables.h"
#include "perf/pointer.h"

namespace trv {

namespace {

constexpr std::uint8_t kReportRate1000Hz = 1;
constexpr std::array<std::uint8_t, rec::kStages> kStageLevels{0, 1, 2, 3};
constexpr std::array<std::array<std::uint8_t, 3>, rec::kStages> kStageColours{{
    {255, 0, 0},    // red
    {0, 255, 0},    // green
    {0, 0, 255},    // blue
    {255, 160, 0},  // amber
}};
constexpr std::uint8_t kStageEnabled = 1;
constexpr std::uint8_t kStandardLighting = 1;
constexpr std::uint8_t kBrightest = 9;
constexpr std::uint8_t kFirstEffect = 1;
constexpr std::uint8_t kMiddleRespirationSpeed = 2;  // "6S", the middle of five
constexpr std::uint8_t kFireTimeMs = 5;
constexpr std::uint8_t kFireRepeats = 5;
constexpr std::size_t kFireKeyButton = 7;
constexpr std::size_t kFireKeyFirstItem = 0;  // the left button
// Windows' own defaults: speed 10, three lines a notch, 500 ms double-click.
constexpr int kWindowsPointerSpeed = 10;
constexpr std::uint32_t kWindowsScrollLines = 3;
constexpr std::uint32_t kWindowsDoubleClickMs = 500;

}  // namespace

SettingsRecord defaultSettingsRecord() {
    SettingsRecord record;
    record[rec::kReportRateCode] = kReportRate1000Hz;
    for (std::size_t stage = 0; stage < rec::kStages; ++stage) {
        record[rec::kStageLevel + stage] = kStageLevels[stage];
        record[rec::kStageEnabled + stage] = kStageEnabled;
        for (std::size_t c = 0; c < 3; ++c) {
            record[rec::kStageColour + 3 * stage + c] = kStageColours[stage][c];
        }
    }
    record[rec::kLightMode] = kStandardLighting;
    record[rec::kLightBrightness] = kBrightest;
    record[rec::kRespirationSpeed] = kMiddleRespirationSpeed;
    record[rec::kStandardEffect] = kFirstEffect;
    record[rec::kRespirationEffect] = kFirstEffect;
    record[rec::kNeonEffect] = kFirstEffect;
    record[rec::kFireMakeTime] = kFireTimeMs;
    record[rec::kFireBreakTime] = kFireTimeMs;

    ButtonLabels unusedLabels;
    restoreDefaultAssignments(record, unusedLabels, Language::English);
    for (Mode mode : {Mode::A, Mode::B}) {
        record.button(rec::kFireKeyIndex, mode, kFireKeyButton) = kFireKeyFirstItem;
        record.button(rec::kFireKeyUsage, mode, kFireKeyButton) = fireKeyUsageOf(kFireKeyFirstItem);
        record.button(rec::kFireTimes, mode, kFireKeyButton) = kFireRepeats;
    }

    record[rec::kPointerPrecision] = 1;
    record[rec::kPointerSpeedPos] = positionOfPointerSpeed(kWindowsPointerSpeed);
    const ScrollSetting scroll = scrollSettingOfLines(kWindowsScrollLines);
    record[rec::kScrollOneScreen] = scroll.oneScreen ? 1 : 0;
    record[rec::kScrollLinesPos] = scroll.position;
    record[rec::kDoubleClickPos] = positionOfDoubleClickTime(kWindowsDoubleClickMs);
    return record;
}

}  // namespace trv
