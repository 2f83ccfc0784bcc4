#pragma once
// Moving the configuration block between the program and the mouse over the two
// feature collections.

#include <cstdint>

#include "app/message_sink.h"
#include "device/device_state.h"
#include "lang/text_table.h"

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

inline constexpr std::u16string_view kReadCaption = u"ReadOperation";
inline constexpr std::u16string_view kWriteCaption = u"WriteOperation";

// Reads the header and the five pages into the block. On any failed exchange or
// a header reply without the mouse's report ID and signature, the block is left
// all zero and marked incomplete, and the user is told (caption "ReadOperation").
bool ReadConfigBlock(const DeviceState& device, BlockState& state, MessageSink& sink,
                     Language language);

// Sends header byte 0 and the five pages. Refused, with the "WriteOperation"
// message and nothing sent, for a block that never came whole from the mouse;
// stops with the same message at the first failed exchange or a header reply
// without the signature.
bool WriteConfigBlock(const DeviceState& device, const BlockState& state, Clock& clock,
                      MessageSink& sink, Language language);

}  // namespace trv
