#pragma once
// The reversible transformation the mouse applies to 7-byte groups of its frames.
// A group is the seven bytes after a lead byte that stays plain; it is read as a
// 56-bit number, first byte most significant.

#include <array>
#include <cstdint>
#include <span>

#include "device/wire_format.h"

namespace trv {

using ScrambleKey = std::array<std::uint8_t, 7>;

// "q905263" in ASCII, the same for both directions.
inline constexpr ScrambleKey kScrambleKey{'q', '9', '0', '5', '2', '6', '3'};

// Both work in place on the seven bytes after `lead`; the lead byte is untouched.
void ScrambleGroup(std::uint8_t* lead);
void UnscrambleGroup(std::uint8_t* lead);

// The same with any key, so the key's part in the transformation can be checked.
void scrambleGroupWithKey(std::uint8_t* lead, const ScrambleKey& key);
void unscrambleGroupWithKey(std::uint8_t* lead, const ScrambleKey& key);

// A command frame is one group after its report ID.
void scrambleCommandFrame(std::span<std::uint8_t, wire::kCommandFrameSize> frame);
void unscrambleCommandFrame(std::span<std::uint8_t, wire::kCommandFrameSize> frame);

// A data report is eight groups, each after the first byte of its 8-byte slice.
void scrambleDataReport(std::span<std::uint8_t, wire::kDataReportSize> report);
void unscrambleDataReport(std::span<std::uint8_t, wire::kDataReportSize> report);

}  // namespace trv
