#pragma once
// The system's pointer settings through SystemParametersInfoW and
// GetDoubleClickTime.

#include "perf/system_pointer.h"

namespace trv {

class Win32SystemPointer final : public SystemPointer {
  public:
    std::optional<MouseParameters> mouseParameters() override;
    std::optional<int> mouseSpeed() override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    std::uint32_t doubleClickTime() override;

    bool setMouseParameters(const MouseParameters& parameters) override;
    bool setMouseSpeed(int speed) override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    bool setDoubleClickTime(std::uint32_t milliseconds) override;
};

}  // namespace trv
