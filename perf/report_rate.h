#pragma once
// The USB report rate: held as the interval between reports in milliseconds,
// shown as four knobs (125, 250, 500, 1000 Hz from the left) and sent as
// header byte 0 of the configuration block.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "config/settings_record.h"
#include "lang/text_table.h"

namespace trv {

inline constexpr int kReportRateKnobs = 4;

// The knob (1..4) that shows a code. A code the knobs do not list shows as
// the rightmost knob; it is still sent unchanged until a knob is clicked.
int knobOfReportRateCode(std::uint8_t code);

// The code of knob 1..4 (8, 4, 2, 1); 0 for any other knob.
std::uint8_t reportRateCodeOfKnob(int knob);

// "125", "250", "500", "1000", the same in every language; empty for any
// other knob.
std::u16string_view reportRateKnobLabel(int knob);

// The notification text of a report-rate code; nothing for an unlisted code.
std::optional<TextId> reportRateText(std::uint8_t code);

// A click on knob 1..4 stores the knob's code. Returns the knob to darken
// when the lit knob moves, nothing when it stays (including a click outside
// the four knobs, which changes nothing).
std::optional<int> selectReportRate(SettingsRecord& record, int knob);

}  // namespace trv
