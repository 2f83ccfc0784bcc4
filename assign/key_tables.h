#pragma once
// The two fixed tables that turn a picked key into the usage code the mouse
// sends: key names as Windows reports a captured keystroke (single key), and
// the fire-key dialog's list (fire key). Usages are HID keyboard-page codes,
// except 0xF0..0xF4, the mouse's own buttons.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trv {

inline constexpr std::size_t kKeyNameCount = 106;
inline constexpr std::size_t kFireKeyItemCount = 59;

// The usage of a key name, compared exactly (case matters, no trimming); 0
// when the name is not known, the empty name included.
std::uint8_t keyNameToUsage(std::u16string_view name);

// The name of row 0..105 of the key-name table; empty beyond it.
std::u16string_view keyNameAt(std::size_t row);

// The code of fire-key list position 0..58; 0 beyond the list.
std::uint8_t fireKeyUsageOf(std::size_t position);

// The first list position whose code is the usage; none when no item sends it.
std::optional<std::size_t> fireKeyPositionOf(std::uint8_t usage);

// The text of fire-key list position 0..58, the same in every language; empty
// beyond the list.
std::u16string_view fireKeyItemText(std::size_t position);

}  // namespace trv
