#pragma once
// Moving the configuration block between the program and the mouse over the two
// feature collections.

#include <cstdint>
#include <string_view>

#include "device/device_state.h"

namespace trv {

// Where the pauses of a write are taken, so tests can count them.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual void sleepMs(std::uint32_t ms) = 0;
};

// Blocks the calling thread.
class SleepingClock final : public Clock {
  public:
    void sleepMs(std::uint32_t ms) override;
};

// How a transfer ended. A failure names the call or the rule that stopped it
// and keeps the system's error number, so a diagnosis can tell a refused
// exchange from a mouse that answered with something else.
struct TransferResult {
    std::string_view failedCall;  // empty on success
    std::uint32_t systemError = 0;

    bool ok() const { return failedCall.empty(); }
};

namespace transfer_failure {
inline constexpr std::string_view kNoChannel = "no channel";
inline constexpr std::string_view kSetFeature = "HidD_SetFeature";
inline constexpr std::string_view kGetFeature = "HidD_GetFeature";
inline constexpr std::string_view kSignature = "signature";
inline constexpr std::string_view kIncompleteBlock = "incomplete block";
}  // namespace transfer_failure

// Reads the header and the five pages into the block. On any failed exchange or
// a header reply without the mouse's report ID and signature, the block is left
// all zero and marked incomplete.
TransferResult ReadConfigBlock(const DeviceState& device, BlockState& state);

// Sends header byte 0 and the five pages. Refused, with nothing sent, for a
// block that never came whole from the mouse; stops at the first failed
// exchange or a header reply without the signature.
TransferResult WriteConfigBlock(const DeviceState& device, const BlockState& state, Clock& clock);

}  // namespace trv
