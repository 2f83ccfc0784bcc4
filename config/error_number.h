#pragma once
// A system error number as the messages show it: printed as a C int, as the
// system's own error boxes do (0x80070005 reads -2147024891).

#include <cstdint>
#include <string>

namespace trv {

inline std::u16string errorNumberText(std::uint32_t systemError) {
    const std::string number = std::to_string(static_cast<std::int32_t>(systemError));
    return std::u16string(number.begin(), number.end());
}

}  // namespace trv
