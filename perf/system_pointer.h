#pragma once
// The operating system's pointer settings as the pointer page reads and
// writes them. On Windows: SystemParametersInfoW and GetDoubleClickTime
// (perf/system_pointer_win.h); in tests a fake.

#include <cstdint>
#include <optional>

namespace trv {

// The three mouse parameters: two acceleration thresholds and the
// acceleration, which is non-zero when pointer precision is enhanced.
struct MouseParameters {
    int threshold1 = 0;
    int threshold2 = 0;
    int acceleration = 0;
    bool operator==(const MouseParameters&) const = default;
};

// Scroll a whole page per wheel notch instead of a number of lines.
inline constexpr std::uint32_t kWheelPageScroll = 0xFFFFFFFFu;

class SystemPointer {
  public:
    virtual ~SystemPointer() = default;

    // Each getter gives nothing when the system refuses.
    virtual std::optional<MouseParameters> mouseParameters() = 0;
    virtual std::optional<int> mouseSpeed() = 0;  // 1..20
    virtual std::optional<std::uint32_t> wheelScrollLines() = 0;
    // Milliseconds; 0 when the system refuses.
    virtual std::uint32_t doubleClickTime() = 0;

    // Each setter changes the setting system-wide, tells the running
    // programs and keeps it for the next log-on.
    // False when the system refuses.
    virtual bool setMouseParameters(const MouseParameters& parameters) = 0;
    virtual bool setMouseSpeed(int speed) = 0;
    virtual bool setWheelScrollLines(std::uint32_t lines) = 0;
    virtual bool setDoubleClickTime(std::uint32_t milliseconds) = 0;
};

}  // namespace trv
