#pragma once
// The mouse's configuration block in words, as the tool's `status` shows it.

#include <string>

#include "config/config_block.h"

namespace trv::ctl {

// One line a setting: report rate, sensor type, the four DPI stages (level
// label of the sensor type's table, ticked or not, colour), snipe DPI,
// lighting, fire-key times and the eight buttons of Mode A and Mode B. Pairs
// no assignment sends show as their raw bytes.
std::u16string blockStatus(const ConfigBlock& block);

// The 322 bytes in hex, 16 a line, each line led by its block offset.
std::u16string blockHexDump(const ConfigBlock& block);

}  // namespace trv::ctl
