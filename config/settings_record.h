#pragma once
// The user's choices in the fixed 190-byte layout that config.bin stores behind
// its one-byte first-run flag. Fields are single unsigned bytes; per-button
// fields hold eight buttons of Mode A followed by eight of Mode B.

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/debug_check.h"

namespace trv {

enum class Mode : std::uint8_t { A = 0, B = 1 };

namespace rec {
inline constexpr std::size_t kSize = 190;
inline constexpr std::size_t kButtons = 8;
inline constexpr std::size_t kStages = 4;

// 0..4, 6 and 34 are not interpreted and go back to the file as loaded.
inline constexpr std::size_t kReportRateCode = 5;
inline constexpr std::size_t kStageLevel = 7;     // 4 x level index 0..7
inline constexpr std::size_t kStageEnabled = 11;  // 4 x 1 ticked / 0 not
inline constexpr std::size_t kStageColour = 15;   // 4 x (R, G, B)
inline constexpr std::size_t kLightMode = 27;
inline constexpr std::size_t kLightBrightness = 28;
inline constexpr std::size_t kRespirationSpeed = 29;
inline constexpr std::size_t kNeonPeriod = 30;
inline constexpr std::size_t kStandardEffect = 31;
inline constexpr std::size_t kRespirationEffect = 32;
inline constexpr std::size_t kNeonEffect = 33;
inline constexpr std::size_t kModeShown = 35;
inline constexpr std::size_t kFireMakeTime = 36;
inline constexpr std::size_t kFireBreakTime = 37;
inline constexpr std::size_t kSnipeDpiCode = 38;
inline constexpr std::size_t kSnipeLevel = 39;  // one per mode: A at 39, B at 40
inline constexpr std::size_t kPointerPrecision = 41;
inline constexpr std::size_t kScrollOneScreen = 42;
inline constexpr std::size_t kPointerSpeedPos = 43;
inline constexpr std::size_t kScrollLinesPos = 44;
inline constexpr std::size_t kDoubleClickPos = 45;

// Per-button arrays: Mode A's eight bytes, then Mode B's.
inline constexpr std::size_t kAssignType = 46;
inline constexpr std::size_t kMediaCode = 62;
inline constexpr std::size_t kWindowsCode = 78;
inline constexpr std::size_t kHotKeyIndex = 94;
inline constexpr std::size_t kSingleKeyUsage = 110;
inline constexpr std::size_t kFireKeyIndex = 126;
inline constexpr std::size_t kFireKeyUsage = 142;
inline constexpr std::size_t kFireTimes = 158;
inline constexpr std::size_t kDpiSwitchCode = 174;

// Offset of a per-button field for button 1..8 of a mode.
constexpr std::size_t perButton(std::size_t field, Mode mode, std::size_t button) {
    return field + kButtons * static_cast<std::size_t>(mode) + (button - 1);
}
}  // namespace rec

struct SettingsRecord {
    std::array<std::uint8_t, rec::kSize> bytes{};

    std::uint8_t& operator[](std::size_t offset) { return bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes[offset]; }
    std::uint8_t& button(std::size_t field, Mode mode, std::size_t b) {
        TRV_EXPECTS(b >= 1 && b <= rec::kButtons);
        return bytes[rec::perButton(field, mode, b)];
    }
    std::uint8_t button(std::size_t field, Mode mode, std::size_t b) const {
        TRV_EXPECTS(b >= 1 && b <= rec::kButtons);
        return bytes[rec::perButton(field, mode, b)];
    }
    Mode modeShown() const { return bytes[rec::kModeShown] != 0 ? Mode::B : Mode::A; }
    bool operator==(const SettingsRecord&) const = default;
};

static_assert(sizeof(SettingsRecord) == rec::kSize);
static_assert(rec::perButton(rec::kDpiSwitchCode, Mode::B, 8) == rec::kSize - 1,
              "the last per-button field ends the record");
static_assert(rec::kSnipeLevel + 1 < rec::kPointerPrecision);

}  // namespace trv
