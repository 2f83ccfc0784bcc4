#pragma once
// DPI stages: the two level tables the mouse's sensor type chooses between,
// the stage fields of the settings record and how clicks change them, and the
// stage bytes of the configuration block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/config_block.h"
#include "config/settings_record.h"

namespace trv {

inline constexpr std::size_t kDpiLevelCount = 8;  // also the segments of a stage slider
inline constexpr std::uint8_t kStageDisabledBit = 0x80;

struct DpiLevel {
    std::u16string_view label;  // the same in every language
    std::uint8_t code;          // sent to the mouse
};

// The table that sensorType chooses; nothing for a sensor type other than 0, 1.
const std::array<DpiLevel, kDpiLevelCount>* dpiLevelTable(std::uint8_t sensorType);

// Label and code of a level index; empty and 0 without a table or for an
// index outside 0..7 (such an index can only come from a damaged config.bin).
std::u16string_view dpiLevelLabel(std::uint8_t sensorType, std::size_t level);
std::uint8_t dpiLevelCode(std::uint8_t sensorType, std::size_t level);

// A stage (1..4) is ticked when its stageEnabled byte is exactly 1.
bool stageTicked(const SettingsRecord& record, std::size_t stage);
std::uint8_t stageLevel(const SettingsRecord& record, std::size_t stage);

// Segment n (1..8) of stage s's slider sets its level to n - 1, ticked or not.
// Returns false, changing nothing, for a stage or segment outside the slider.
bool setStageLevel(SettingsRecord& record, std::size_t stage, std::size_t segment);

enum class TickChange { None, Ticked, Unticked };

// A click on stage s's tick box. A stage that is not ticked becomes ticked;
// a ticked stage loses its tick unless it is the only one, so that the mouse
// always keeps a stage to cycle through.
TickChange toggleStageTick(SettingsRecord& record, std::size_t stage);

// Only a ticked stage's colour can be chosen.
bool mayChooseStageColour(const SettingsRecord& record, std::size_t stage);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

Rgb stageColour(const SettingsRecord& record, std::size_t stage);
void setStageColour(SettingsRecord& record, std::size_t stage, Rgb colour);

// The stage bytes of the block: stage codes (bit 7 set for a stage whose
// stageEnabled is 0), the count of ticked stages and their colours packed in
// stage order. No other byte changes.
void encodeStages(const SettingsRecord& record, std::uint8_t sensorType, ConfigBlock& block);

}  // namespace trv
