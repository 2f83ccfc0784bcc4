#pragma once
// The usage a captured single key is sent as. The mouse sends a key by its
// place on the keyboard, and the system then types whatever its own layout
// puts there; so the key goes by its position (its scan code), and its name,
// which follows the layout and the system (French "A" sits where US has "Q",
// German says "Strg", Wine says "Return"), is only what the user reads.

#include <cstdint>
#include <string>
#include <string_view>

namespace trv {

// The usage of a key from the key data of its keyboard message (scan code in
// bits 16..23, extended-key flag in bit 24); 0 for a key with no usage.
std::uint8_t scanCodeToUsage(std::uint32_t keyData);

// The key's position; the name table only for a key whose position sends
// nothing (no scan code, or a key of no keyboard page usage). Under a US
// layout both agree wherever both know the key.
std::uint8_t singleKeyUsage(std::u16string_view keyName, std::uint32_t keyData);

// What the single-key dialog shows and keeps for a key event: the system's
// name of the key, or, when the system has none, the table's name of the
// usage its scan code sends, else the scan code itself ("Scan 64",
// "Scan E0 5E"). Either way singleKeyUsage gives the key's usage back.
std::u16string singleKeyName(std::u16string_view systemName, std::uint32_t keyData);

}  // namespace trv
