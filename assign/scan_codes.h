#pragma once
// The usage a captured single key is sent as. Key names are what the user
// sees, but they depend on the keyboard layout and the system (a German
// layout says "Strg", Wine says "Return"): when the name table does not know
// the name, the key's position on the keyboard (its scan code) still does.

#include <cstdint>
#include <string_view>

namespace trv {

// The usage of a key from the key data of its keyboard message (scan code in
// bits 16..23, extended-key flag in bit 24); 0 for a key with no usage.
std::uint8_t scanCodeToUsage(std::uint32_t keyData);

// The name table first, then the scan code.
std::uint8_t singleKeyUsage(std::u16string_view keyName, std::uint32_t keyData);

}  // namespace trv
