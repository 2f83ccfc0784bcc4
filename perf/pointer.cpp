#include "perf/pointer.h"

#include <algorithm>
#include <string_view>

namespace trv {

namespace {

constexpr std::u16string_view kWarning = u"Warning";

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

void readSystemPointerSettings(SettingsRecord& record, SystemPointer& system, MessageSink& sink) {
    const auto parameters = system.mouseParameters();
    record[rec::kPointerPrecision] = parameters && parameters->acceleration != 0 ? 1 : 0;

    auto speed = system.mouseSpeed();
    if (!speed) sink.showMessage(u"GETMOUSESPEED failed.", kWarning);
    record[rec::kPointerSpeedPos] = positionOfPointerSpeed(speed.value_or(0));

    auto lines = system.wheelScrollLines();
    if (!lines) sink.showMessage(u"GETWHEELSCROLLLINES failed.", kWarning);
    const ScrollSetting scroll = scrollSettingOfLines(lines.value_or(0));
    record[rec::kScrollOneScreen] = scroll.oneScreen ? 1 : 0;
    record[rec::kScrollLinesPos] = scroll.position;

    const std::uint32_t doubleClick = system.doubleClickTime();
    if (doubleClick == 0) sink.showMessage(u"GetDoubleClickTime failed.", kWarning);
    record[rec::kDoubleClickPos] = positionOfDoubleClickTime(doubleClick);
}

void writeSystemPointerSettings(const SettingsRecord& record, SystemPointer& system,
                                MessageSink& sink) {
    if (!system.setMouseParameters(mouseParametersOf(record[rec::kPointerPrecision] == 1))) {
        sink.showMessage(u"SETMOUSE failed.", kWarning);
    }
    if (!system.setMouseSpeed(pointerSpeedOfPosition(record[rec::kPointerSpeedPos]))) {
        sink.showMessage(u"SETMOUSESPEED failed.", kWarning);
    }
    const bool oneScreen = record[rec::kScrollOneScreen] != 0;
    if (!system.setWheelScrollLines(
            scrollLinesOfPosition(record[rec::kScrollLinesPos], oneScreen))) {
        sink.showMessage(u"SETWHEELSCROLLLINES failed.", kWarning);
    }
    if (!system.setDoubleClickTime(doubleClickTimeOfPosition(record[rec::kDoubleClickPos]))) {
        sink.showMessage(u"SPI_SETDOUBLECLICKTIME failed.", kWarning);
    }
}

}  // namespace trv
