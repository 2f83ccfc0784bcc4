#pragma once
// The system's message for an error number, in the user's language, as the
// command-line tool prints it beside the number.

#include <cstdint>
#include <string>

namespace trv::ctl {

// "Access is denied." for 5; empty when the system has no message for it.
std::u16string systemErrorText(std::uint32_t code);

}  // namespace trv::ctl
