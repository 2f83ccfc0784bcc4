#pragma once
// The part of applying that turns the settings record into the block fields
// the program owns, before the block goes to the mouse.

#include <cstdint>

#include "config/config_block.h"
#include "config/settings_record.h"

namespace trv {

// Rebuilds, from the record: header byte 0 (report rate), the lighting bytes,
// the stage colours and count, the snipe DPI code (also kept in the record's
// snipeDpiCode), the stage DPI codes, the fire-key timing and the assignment
// pairs of both modes. Every other byte of the block stays as it was read.
void rebuildOwnedFields(SettingsRecord& record, std::uint8_t sensorType, ConfigBlock& block);

}  // namespace trv
