#pragma once
// The system's message for an error number, in the user's language, on one
// line, as the messages print it beside the number.

#include <cstdint>
#include <string>

namespace trv::win {

// "Access is denied." for 5; empty when the system has no message for it.
std::u16string systemErrorText(std::uint32_t code);

}  // namespace trv::win
