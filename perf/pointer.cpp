#include "perf/pointer.h"

#include <algorithm>
#include <string_view>

namespace trv {

namespace {

// The slowest double-click time a slider shows (position 1) and the step per
// position.
constexpr std::int64_t kSlowestDoubleClickMs = 900;
constexpr std::int64_t kDoubleClickStepMs = 70;

constexpr MouseParameters kEnhancedPrecision{6, 10, 1};
constexpr MouseParameters kPlainPrecision{0, 0, 0};

std::uint8_t clampedPosition(std::int64_t position) {
    return static_cast<std::uint8_t>(
        std::clamp<std::int64_t>(position, kPointerSliderMin, kPointerSliderMax));
}

std::size_t fieldOf(PointerSlider slider) {
    switch (slider) {
        case PointerSlider::Speed:
            return rec::kPointerSpeedPos;
        case PointerSlider::ScrollLines:
            return rec::kScrollLinesPos;
        case PointerSlider::DoubleClick:
            return rec::kDoubleClickPos;
    }
    return rec::kPointerSpeedPos;
}

bool toggled(std::uint8_t& field) {
    field = field == 1 ? 0 : 1;
    return field == 1;
}

}  // namespace

int pointerSpeedOfPosition(std::uint8_t position) {
    const int p = clampedPosition(position);
    return p == 1 ? 1 : 2 * p - 2;
}

std::uint8_t positionOfPointerSpeed(int speed) {
    return clampedPosition(static_cast<std::int64_t>(speed) / 2 + 1);
}

std::uint32_t scrollLinesOfPosition(std::uint8_t position, bool oneScreen) {
    return oneScreen ? kWheelPageScroll : clampedPosition(position);
}

ScrollSetting scrollSettingOfLines(std::uint32_t lines) {
    if (lines == kWheelPageScroll) return {0, true};
    return {clampedPosition(lines), false};
}

std::uint32_t doubleClickTimeOfPosition(std::uint8_t position) {
    const std::int64_t p = clampedPosition(position);
    return static_cast<std::uint32_t>(kSlowestDoubleClickMs + kDoubleClickStepMs -
                                      kDoubleClickStepMs * p);
}

std::uint8_t positionOfDoubleClickTime(std::uint32_t milliseconds) {
    const std::int64_t v = milliseconds;
    return clampedPosition((kSlowestDoubleClickMs - v) / kDoubleClickStepMs + 1);
}

MouseParameters mouseParametersOf(bool precision) {
    return precision ? kEnhancedPrecision : kPlainPrecision;
}

std::uint8_t pointerSliderPosition(const SettingsRecord& record, PointerSlider slider) {
    return record[fieldOf(slider)];
}

bool setPointerSliderPosition(SettingsRecord& record, PointerSlider slider, std::size_t position) {
    if (position < kPointerSliderMin || position > kPointerSliderMax) return false;
    record[fieldOf(slider)] = static_cast<std::uint8_t>(position);
    return true;
}

bool togglePointerPrecision(SettingsRecord& record) {
    return toggled(record[rec::kPointerPrecision]);
}

bool toggleScrollOneScreen(SettingsRecord& record) {
    return toggled(record[rec::kScrollOneScreen]);
}

PointerWarnings readSystemPointerSettings(SettingsRecord& record, SystemPointer& system) {
    PointerWarnings warnings;
    const auto parameters = system.mouseParameters();
    record[rec::kPointerPrecision] = parameters && parameters->acceleration != 0 ? 1 : 0;

    auto speed = system.mouseSpeed();
    if (!speed) warnings.push_back(u"GETMOUSESPEED failed.");
    record[rec::kPointerSpeedPos] = positionOfPointerSpeed(speed.value_or(0));

    auto lines = system.wheelScrollLines();
    if (!lines) warnings.push_back(u"GETWHEELSCROLLLINES failed.");
    const ScrollSetting scroll = scrollSettingOfLines(lines.value_or(0));
    record[rec::kScrollOneScreen] = scroll.oneScreen ? 1 : 0;
    record[rec::kScrollLinesPos] = scroll.position;

    const std::uint32_t doubleClick = system.doubleClickTime();
    if (doubleClick == 0) warnings.push_back(u"GetDoubleClickTime failed.");
    record[rec::kDoubleClickPos] = positionOfDoubleClickTime(doubleClick);
    return warnings;
}

PointerWarnings writeSystemPointerSettings(const SettingsRecord& record, SystemPointer& system) {
    PointerWarnings warnings;
    if (!system.setMouseParameters(mouseParametersOf(record[rec::kPointerPrecision] == 1))) {
        warnings.push_back(u"SETMOUSE failed.");
    }
    if (!system.setMouseSpeed(pointerSpeedOfPosition(record[rec::kPointerSpeedPos]))) {
        warnings.push_back(u"SETMOUSESPEED failed.");
    }
    const bool oneScreen = record[rec::kScrollOneScreen] != 0;
    if (!system.setWheelScrollLines(
            scrollLinesOfPosition(record[rec::kScrollLinesPos], oneScreen))) {
        warnings.push_back(u"SETWHEELSCROLLLINES failed.");
    }
    if (!system.setDoubleClickTime(doubleClickTimeOfPosition(record[rec::kDoubleClickPos]))) {
        warnings.push_back(u"SPI_SETDOUBLECLICKTIME failed.");
    }
    return warnings;
}

}  // namespace trv
