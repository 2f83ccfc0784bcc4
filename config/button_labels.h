#pragma once
// The text shown in each button's drop-down box, per mode. Kept as text in
// str.ini (per interface language), never rebuilt from the settings record.

#include <array>
#include <cstddef>
#include <string>

#include "config/debug_check.h"
#include "config/settings_record.h"

namespace trv {

struct ButtonLabels {
    // Mode A's buttons 1..8, then Mode B's.
    std::array<std::u16string, 2 * rec::kButtons> texts;

    std::u16string& of(Mode mode, std::size_t button) {
        TRV_EXPECTS(button >= 1 && button <= rec::kButtons);
        return texts[rec::kButtons * static_cast<std::size_t>(mode) + (button - 1)];
    }
    const std::u16string& of(Mode mode, std::size_t button) const {
        TRV_EXPECTS(button >= 1 && button <= rec::kButtons);
        return texts[rec::kButtons * static_cast<std::size_t>(mode) + (button - 1)];
    }
    bool operator==(const ButtonLabels&) const = default;
};

}  // namespace trv
