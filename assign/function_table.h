#pragma once
// What the function codes of an assignment pair (parameter 0x02) stand for on
// the mouse: a table of consumer usages and a table of keyboard shortcuts,
// both kept in the configuration block. The mouse's own contents stay, except
// on a first run, which writes the factory contents below.

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/config_block.h"

namespace trv {

// Codes 0x00..0x06 are the multimedia functions, 0x07..0x0F the Windows
// functions; entry n holds the HID consumer-page usage of code n.
inline constexpr std::array<std::uint16_t, block::kConsumerEntries> kFactoryConsumerUsages{
    0x00B5,  // Next
    0x00B6,  // Previous
    0x00B7,  // Stop
    0x00CD,  // Play/Pause
    0x00E2,  // Mute
    0x00E9,  // Vol+
    0x00EA,  // Vol-
    0x0183,  // Multimedia Player
    0x018A,  // Mail
    0x0192,  // Calculator
    0x0194,  // My Computer
    0x0221,  // Browser-Search
    0x0223,  // Browser-Home
    0x0224,  // Browser-Back
    0x0225,  // Browser-Forward
    0x0227,  // Browser-Refresh
};

struct Shortcut {
    std::uint8_t modifier;  // keyboard-page usage
    std::uint8_t key;       // keyboard-page usage
    bool operator==(const Shortcut&) const = default;
};

inline constexpr std::uint8_t kLeftCtrlUsage = 0xE0;

// Hot-key codes 0x10..0x17; entry n holds the shortcut of code 0x10 + n.
inline constexpr std::array<Shortcut, block::kHotKeyEntries> kFactoryHotKeys{{
    {kLeftCtrlUsage, 0x06},  // Copy: Ctrl+C
    {kLeftCtrlUsage, 0x1B},  // Cut: Ctrl+X
    {kLeftCtrlUsage, 0x19},  // Paste: Ctrl+V
    {kLeftCtrlUsage, 0x04},  // Select all: Ctrl+A
    {kLeftCtrlUsage, 0x12},  // Open: Ctrl+O
    {kLeftCtrlUsage, 0x11},  // New: Ctrl+N
    {kLeftCtrlUsage, 0x16},  // Save: Ctrl+S
    {kLeftCtrlUsage, 0x1D},  // Undo: Ctrl+Z
}};

// Writes both factory tables into the image; nothing else changes.
void writeFactoryFunctionTable(ConfigBlock& block);

}  // namespace trv
