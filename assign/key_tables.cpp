#include "assign/key_tables.h"

#include <array>

namespace trv {

namespace {

struct KeyRow {
    std::u16string_view name;
    std::uint8_t usage;
};

// Key names as GetKeyNameTextW gives them for an English layout, plus the
// mouse's three main buttons and the placeholder of the non-US key 0x32
// (0x31 has no name). Searched from the top; the first exact match wins.
constexpr std::array<KeyRow, kKeyNameCount> kKeyNames{{
    {u"A", 0x04},
    {u"B", 0x05},
    {u"C", 0x06},
    {u"D", 0x07},
    {u"E", 0x08},
    {u"F", 0x09},
    {u"G", 0x0A},
    {u"H", 0x0B},
    {u"I", 0x0C},
    {u"J", 0x0D},
    {u"K", 0x0E},
    {u"L", 0x0F},
    {u"M", 0x10},
    {u"N", 0x11},
    {u"O", 0x12},
    {u"P", 0x13},
    {u"Q", 0x14},
    {u"R", 0x15},
    {u"S", 0x16},
    {u"T", 0x17},
    {u"U", 0x18},
    {u"V", 0x19},
    {u"W", 0x1A},
    {u"X", 0x1B},
    {u"Y", 0x1C},
    {u"Z", 0x1D},
    {u"1", 0x1E},
    {u"2", 0x1F},
    {u"3", 0x20},
    {u"4", 0x21},
    {u"5", 0x22},
    {u"6", 0x23},
    {u"7", 0x24},
    {u"8", 0x25},
    {u"9", 0x26},
    {u"0", 0x27},
    {u"Enter", 0x28},
    {u"Esc", 0x29},
    {u"Backspace", 0x2A},
    {u"Tab", 0x2B},
    {u"Space", 0x2C},
    {u"-", 0x2D},
    {u"=", 0x2E},
    {u"[", 0x2F},
    {u"]", 0x30},
    {u"Eurpo(Note 2)", 0x32},
    {u";", 0x33},
    {u"'", 0x34},
    {u"`", 0x35},
    {u",", 0x36},
    {u".", 0x37},
    {u"/", 0x38},
    {u"Caps Lock", 0x39},
    {u"F1", 0x3A},
    {u"F2", 0x3B},
    {u"F3", 0x3C},
    {u"F4", 0x3D},
    {u"F5", 0x3E},
    {u"F6", 0x3F},
    {u"F7", 0x40},
    {u"F8", 0x41},
    {u"F9", 0x42},
    {u"F10", 0x43},
    {u"F11", 0x44},
    {u"F12", 0x45},
    {u"Prnt Scrn", 0x46},
    {u"Scroll Lock", 0x47},
    {u"Pause", 0x48},
    {u"Insert", 0x49},
    {u"Home", 0x4A},
    {u"Page Up", 0x4B},
    {u"Delete", 0x4C},
    {u"End", 0x4D},
    {u"Page Down", 0x4E},
    {u"Right", 0x4F},
    {u"Left", 0x50},
    {u"Down", 0x51},
    {u"Up", 0x52},
    {u"Num Lock", 0x53},
    {u"Num /", 0x54},
    {u"Num *", 0x55},
    {u"Num -", 0x56},
    {u"Num +", 0x57},
    {u"Num Enter", 0x58},
    {u"Num 1", 0x59},
    {u"Num 2", 0x5A},
    {u"Num 3", 0x5B},
    {u"Num 4", 0x5C},
    {u"Num 5", 0x5D},
    {u"Num 6", 0x5E},
    {u"Num 7", 0x5F},
    {u"Num 8", 0x60},
    {u"Num 9", 0x61},
    {u"Num 0", 0x62},
    {u"Num Del", 0x63},
    {u"Ctrl", 0xE0},
    {u"Shift", 0xE1},
    {u"Alt", 0xE2},
    {u"Left Windows", 0xE3},
    {u"Right Ctrl", 0xE4},
    {u"Right Shift", 0xE5},
    {u"Right Alt", 0xE6},
    {u"Right Windows", 0xE7},
    {u"L-Button", 0xF0},
    {u"R-Button", 0xF1},
    {u"M-Button", 0xF2},
}};

// The fire-key dialog's list in display order; the position is what the
// settings record keeps. The modifier run skips the left Windows key (0xE3).
constexpr std::array<KeyRow, kFireKeyItemCount> kFireKeys{{
    {u"L-Button", 0xF0},  {u"R-Button", 0xF1}, {u"M-Button", 0xF2}, {u"B4-Button", 0xF3},
    {u"B5-Button", 0xF4}, {u"A", 0x04},        {u"B", 0x05},        {u"C", 0x06},
    {u"D", 0x07},         {u"E", 0x08},        {u"F", 0x09},        {u"G", 0x0A},
    {u"H", 0x0B},         {u"I", 0x0C},        {u"J", 0x0D},        {u"K", 0x0E},
    {u"L", 0x0F},         {u"M", 0x10},        {u"N", 0x11},        {u"O", 0x12},
    {u"P", 0x13},         {u"Q", 0x14},        {u"R", 0x15},        {u"S", 0x16},
    {u"T", 0x17},         {u"U", 0x18},        {u"V", 0x19},        {u"W", 0x1A},
    {u"X", 0x1B},         {u"Y", 0x1C},        {u"Z", 0x1D},        {u"1", 0x1E},
    {u"2", 0x1F},         {u"3", 0x20},        {u"4", 0x21},        {u"5", 0x22},
    {u"6", 0x23},         {u"7", 0x24},        {u"8", 0x25},        {u"9", 0x26},
    {u"0", 0x27},         {u"L-CTRL", 0xE0},   {u"L-SHIFT", 0xE1},  {u"L-ALT", 0xE2},
    {u"R-CTRL", 0xE4},    {u"R-SHIFT", 0xE5},  {u"R-ALT", 0xE6},    {u"F1", 0x3A},
    {u"F2", 0x3B},        {u"F3", 0x3C},       {u"F4", 0x3D},       {u"F5", 0x3E},
    {u"F6", 0x3F},        {u"F7", 0x40},       {u"F8", 0x41},       {u"F9", 0x42},
    {u"F10", 0x43},       {u"F11", 0x44},      {u"F12", 0x45},
}};

}  // namespace

std::uint8_t keyNameToUsage(std::u16string_view name) {
    for (const KeyRow& row : kKeyNames) {
        if (row.name == name) return row.usage;
    }
    return 0;
}

std::u16string_view keyNameAt(std::size_t row) {
    return row < kKeyNames.size() ? kKeyNames[row].name : std::u16string_view{};
}

std::uint8_t fireKeyUsageOf(std::size_t position) {
    return position < kFireKeys.size() ? kFireKeys[position].usage : 0;
}

std::optional<std::size_t> fireKeyPositionOf(std::uint8_t usage) {
    for (std::size_t position = 0; position < kFireKeys.size(); ++position) {
        if (kFireKeys[position].usage == usage) return position;
    }
    return std::nullopt;
}

std::u16string_view fireKeyItemText(std::size_t position) {
    return position < kFireKeys.size() ? kFireKeys[position].name : std::u16string_view{};
}

}  // namespace trv
