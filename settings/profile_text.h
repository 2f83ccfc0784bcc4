#pragma once
// A readable profile: the settings of config.bin and the button labels of
// str.ini as an INI text, one section per area, named keys and values in
// words (see settings/profile_words.h). Reading it back checks every line; a profile that
// leaves out keys sets only the ones it has.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/button_labels.h"
#include "config/settings_record.h"

namespace trv::readable {

inline constexpr std::uint8_t kProfileFormat = 1;

// DPI levels are written by the labels of the sensor type's table (0 or 1),
// which the profile names, so that it reads back the same.
std::u16string exportProfile(const SettingsRecord& record, const ButtonLabels& labels,
                             std::uint8_t sensorType);

struct ProfileProblem {
    std::size_t line = 0;  // from 1; 0 for the profile as a whole
    std::u16string text;
    bool operator==(const ProfileProblem&) const = default;
};

struct ImportedProfile {
    std::vector<ProfileProblem> problems;  // in line order; any problem means nothing is to change
    SettingsRecord record;
    ButtonLabels labels;
    bool labelsGiven = false;  // str.ini is to be written
};

// The base record and labels with the profile's keys set over them. Unknown
// sections and keys, repeated ones, lines that are not key=value and values
// a key does not take are problems, as is taking away a mode's last Left Click.
// Lines starting with ';' or '#' are comments. Fire keys also get the key's
// position in the fire-key list, as the dialog stores it.
ImportedProfile importProfile(std::u16string_view text, const SettingsRecord& base,
                              const ButtonLabels& baseLabels);

}  // namespace trv::readable
