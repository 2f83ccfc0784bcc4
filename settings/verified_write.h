#pragma once
// A block written to the mouse and read back, compared byte by byte: what the
// tool does before it lets any file follow, so that a file never claims what
// the mouse does not hold.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "config/config_block.h"
#include "device/device_state.h"
#include "device/transfer.h"

namespace trv {

// The first byte the mouse holds otherwise than written, and how many do.
struct BlockDifference {
    std::size_t differing = 0;
    bool inHeader = false;
    std::size_t at = 0;  // in the header or the image
    std::uint8_t written = 0;
    std::uint8_t readBack = 0;
};

// Bytes compared: header byte 0 and the image. Header byte 1 is the mouse's
// own and is never sent.
inline constexpr std::size_t kComparedBytes = 1 + block::kImageSize;

std::optional<BlockDifference> compareWritten(const ConfigBlock& written, const ConfigBlock& read);

struct VerifiedWrite {
    TransferResult written;
    TransferResult readBack;                    // only after a successful write
    std::optional<BlockDifference> difference;  // only after a successful read
    bool ok() const { return written.ok() && readBack.ok() && !difference; }
};

// With `verify` false (a dry run, whose frames never reach the mouse) only
// the write is made.
VerifiedWrite writeAndVerify(const DeviceState& device, const BlockState& state, Clock& clock,
                             bool verify = true);

}  // namespace trv
