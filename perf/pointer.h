#pragma once
// The Windows pointer settings of the page: pointer speed with "Enhance
// Pointer Precision", wheel scroll lines with "Scroll One Screen", and the
// double-click time, each an 11-position slider. They live in the settings
// record and reach the system only on OK or Apply.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "config/settings_record.h"
#include "perf/system_pointer.h"

namespace trv {

inline constexpr std::uint8_t kPointerSliderMin = 1;
inline constexpr std::uint8_t kPointerSliderMax = 11;

enum class PointerSlider { Speed = 1, ScrollLines = 2, DoubleClick = 3 };

// Slider position to system value and back. Positions outside 1..11 (only a
// damaged config.bin holds them) count as the nearest end. System values a
// slider cannot show are clamped to 1..11: a speed below 1 or above 20, a
// double-click time above 900 ms or below 200 ms, more than 11 lines, and
// 0 lines, since a wheel that does not scroll is no setting the page offers;
// "one screen" alone shows as position 0.
int pointerSpeedOfPosition(std::uint8_t position);  // 1 -> 1, p -> 2p - 2
std::uint8_t positionOfPointerSpeed(int speed);     // v / 2 + 1
std::uint32_t scrollLinesOfPosition(std::uint8_t position, bool oneScreen);

struct ScrollSetting {
    std::uint8_t position = 0;
    bool oneScreen = false;
    bool operator==(const ScrollSetting&) const = default;
};
ScrollSetting scrollSettingOfLines(std::uint32_t lines);

std::uint32_t doubleClickTimeOfPosition(std::uint8_t position);      // 970 - 70p ms
std::uint8_t positionOfDoubleClickTime(std::uint32_t milliseconds);  // (900 - v) / 70 + 1

MouseParameters mouseParametersOf(bool precision);  // {6, 10, 1} or {0, 0, 0}

// The slider's field in the record.
std::uint8_t pointerSliderPosition(const SettingsRecord& record, PointerSlider slider);

// A click on segment 1..11; false, changing nothing, outside the slider.
bool setPointerSliderPosition(SettingsRecord& record, PointerSlider slider, std::size_t position);

// A click on a tick box; returns whether it is now ticked. The boxes act
// independently of the sliders.
bool togglePointerPrecision(SettingsRecord& record);
bool toggleScrollOneScreen(SettingsRecord& record);

// The texts of refused system calls, in the order they happened; each is shown
// to the user in a box captioned kPointerWarningCaption.
using PointerWarnings = std::vector<std::u16string_view>;
inline constexpr std::u16string_view kPointerWarningCaption = u"Warning";

// Fills the five pointer fields from the system (first run). A refused read
// gives a warning, except that of the mouse parameters, and goes on with 0.
PointerWarnings readSystemPointerSettings(SettingsRecord& record, SystemPointer& system);

// Hands the five pointer fields to the system, each setting attempted even
// when an earlier one was refused; every refusal gives a warning.
PointerWarnings writeSystemPointerSettings(const SettingsRecord& record, SystemPointer& system);

}  // namespace trv
