#pragma once
// The settings a freshly installed config.bin holds. Its first-run flag is 0,
// so the program still takes the stage ticks, the labels and the pointer
// settings from the first run; the rest is what the page shows until the user
// applies anything.

#include "config/settings_record.h"

namespace trv {

SettingsRecord defaultSettingsRecord();

}  // namespace trv
