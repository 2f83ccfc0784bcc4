#include "assign/scan_codes.h"

#include <array>

#include "assign/key_tables.h"

namespace trv {

namespace {

constexpr std::uint32_t kScanCodeShift = 16;
constexpr std::uint32_t kExtendedBit = 1u << 24;

// Keyboard-page usages of the keys of a PC keyboard by their scan code, as
// keyboard messages carry it. Keys that differ only by the extended flag
// (the right-hand and navigation keys) are in the second table.
constexpr std::array<std::uint8_t, 0x80> kPlain = [] {
    std::array<std::uint8_t, 0x80> t{};
    constexpr std::uint8_t kRow[] = {
        0x00, 0x29, 0x1E, 0x1F,
        0x20, 0x21, 0x22, 0x23,  // 00: -, Esc, 1..6
        0x24, 0x25, 0x26, 0x27,
        0x2D, 0x2E, 0x2A, 0x2B,  // 08: 7..0, -, =, Backspace, Tab
        0x14, 0x1A, 0x08, 0x15,
        0x17, 0x1C, 0x18, 0x0C,  // 10: Q W E R T Y U I
        0x12, 0x13, 0x2F, 0x30,
        0x28, 0xE0, 0x04, 0x16,  // 18: O P [ ] Enter Ctrl A S
        0x07, 0x09, 0x0A, 0x0B,
        0x0D, 0x0E, 0x0F, 0x33,  // 20: D F G H J K L ;
        0x34, 0x35, 0xE1, 0x31,
        0x1D, 0x1B, 0x06, 0x19,  // 28: ' ` Shift \ Z X C V
        0x05, 0x11, 0x10, 0x36,
        0x37, 0x38, 0xE5, 0x55,  // 30: B N M , . / RShift Num *
        0xE2, 0x2C, 0x39, 0x3A,
        0x3B, 0x3C, 0x3D, 0x3E,  // 38: Alt Space Caps F1..F5
        0x3F, 0x40, 0x41, 0x42,
        0x43, 0x48, 0x47, 0x5F,  // 40: F6..F10 Pause Scroll Num 7
        0x60, 0x61, 0x56, 0x5C,
        0x5D, 0x5E, 0x57, 0x59,  // 48: Num 8 9 - 4 5 6 + 1
        0x5A, 0x5B, 0x62, 0x63,
        0x46, 0x00, 0x64, 0x44,  // 50: Num 2 3 0 Del, SysRq, -, non-US \, F11
        0x45, 0x67,              // 58: F12, Num =
    };
    for (std::size_t i = 0; i < std::size(kRow); ++i) t[i] = kRow[i];
    for (std::size_t i = 0; i < 11; ++i)
        t[0x64 + i] = static_cast<std::uint8_t>(0x68 + i);  // F13..F23
    t[0x76] = 0x73;                                         // F24
    // Keys of Japanese and Brazilian layouts.
    t[0x70] = 0x88;
    t[0x73] = 0x87;
    t[0x79] = 0x8A;
    t[0x7B] = 0x8B;
    t[0x7D] = 0x89;
    t[0x7E] = 0x85;
    return t;
}();

struct ExtendedKey {
    std::uint8_t scanCode;
    std::uint8_t usage;
};

constexpr ExtendedKey kExtended[] = {
    {0x1C, 0x58},  // Num Enter
    {0x1D, 0xE4},  // Right Ctrl
    {0x35, 0x54},  // Num /
    {0x37, 0x46},  // Print Screen
    {0x38, 0xE6},  // Right Alt
    {0x45, 0x53},  // Num Lock: the system flags it extended, and not Pause
    {0x46, 0x48},  // Break
    {0x47, 0x4A},  // Home
    {0x48, 0x52},  // Up
    {0x49, 0x4B},  // Page Up
    {0x4B, 0x50},  // Left
    {0x4D, 0x4F},  // Right
    {0x4F, 0x4D},  // End
    {0x50, 0x51},  // Down
    {0x51, 0x4E},  // Page Down
    {0x52, 0x49},  // Insert
    {0x53, 0x4C},  // Delete
    {0x5B, 0xE3},  // Left Windows
    {0x5C, 0xE7},  // Right Windows
    {0x5D, 0x65},  // Application
};

}  // namespace

std::uint8_t scanCodeToUsage(std::uint32_t keyData) {
    const auto scanCode = static_cast<std::uint8_t>((keyData >> kScanCodeShift) & 0xFF);
    if ((keyData & kExtendedBit) == 0) return scanCode < kPlain.size() ? kPlain[scanCode] : 0;
    for (const ExtendedKey& key : kExtended) {
        if (key.scanCode == scanCode) return key.usage;
    }
    return 0;
}

std::uint8_t singleKeyUsage(std::u16string_view keyName, std::uint32_t keyData) {
    const std::uint8_t placed = scanCodeToUsage(keyData);
    return placed != 0 ? placed : keyNameToUsage(keyName);
}

std::u16string singleKeyName(std::u16string_view systemName, std::uint32_t keyData) {
    if (!systemName.empty()) return std::u16string(systemName);
    if (const std::uint8_t usage = scanCodeToUsage(keyData); usage != 0) {
        for (std::size_t row = 0; row < kKeyNameCount; ++row) {
            if (keyNameToUsage(keyNameAt(row)) == usage) return std::u16string(keyNameAt(row));
        }
    }
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    const auto scanCode = static_cast<std::uint8_t>((keyData >> kScanCodeShift) & 0xFF);
    std::u16string name = u"Scan ";
    if ((keyData & kExtendedBit) != 0) name += u"E0 ";
    name += kHex[scanCode >> 4];
    name += kHex[scanCode & 0xF];
    return name;
}

}  // namespace trv
