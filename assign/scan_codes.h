#pragma once
// The usage a captured single key is sent as. Key names are what the user
// sees, but they depend on the keyboard layout and the system (a German
// layout says "Strg", Wine says "Return"): when the name table does not know
// the name, the key's position on the keyboard (its scan code) still does.

#include <cstdint>
#include <string>
#include <string_view>

namespace trv {

// The usage of a key from the key data of its keyboard message (scan code in
// bits 16..23, extended-key flag in bit 24); 0 for a key with no usage.
std::uint8_t scanCodeToUsage(std::uint32_t keyData);

// The name table first, then the scan code.
std::uint8_t singleKeyUsage(std::u16string_view keyName, std::uint32_t keyData);

// What the single-key dialog shows and keeps for a key event: the system's
// name of the key, or, when the system has none, the table's name of the
// usage its scan code sends, else the scan code itself ("Scan 64",
// "Scan E0 5E"). Either way singleKeyUsage gives the key's usage back.
std::u16string singleKeyName(std::u16string_view systemName, std::uint32_t keyData);

}  // namespace trv
