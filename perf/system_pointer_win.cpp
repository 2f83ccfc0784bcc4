#include "perf/system_pointer_win.h"

#include <windows.h>

#include <cstdint>

namespace trv {

namespace {

// Every change is announced to the running programs and written to the
// user's profile: a setting kept only for the session would be gone at the
// next log-on while config.bin, and so the page, still showed it.
constexpr UINT kAnnounceAndKeep = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

}  // namespace

std::optional<MouseParameters> Win32SystemPointer::mouseParameters() {
    int values[3] = {0, 0, 0};
    if (!SystemParametersInfoW(SPI_GETMOUSE, 0, values, 0)) return std::nullopt;
    return MouseParameters{values[0], values[1], values[2]};
}

std::optional<int> Win32SystemPointer::mouseSpeed() {
    int speed = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
    return speed;
}

std::optional<std::uint32_t> Win32SystemPointer::wheelScrollLines() {
    UINT lines = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return std::nullopt;
    return static_cast<std::uint32_t>(lines);
}

std::uint32_t Win32SystemPointer::doubleClickTime() {
    return GetDoubleClickTime();
}

bool Win32SystemPointer::setMouseParameters(const MouseParameters& parameters) {
    int values[3] = {parameters.threshold1, parameters.threshold2, parameters.acceleration};
    return SystemParametersInfoW(SPI_SETMOUSE, 0, values, kAnnounceAndKeep) != FALSE;
}

bool Win32SystemPointer::setMouseSpeed(int speed) {
    // Windows takes the speed in the pointer argument itself; Wine 8 reads it
    // from the integer argument. Each ignores the other, so both carry it.
    return SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                                 reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                                 kAnnounceAndKeep) != FALSE;
}

bool Win32SystemPointer::setWheelScrollLines(std::uint32_t lines) {
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, kAnnounceAndKeep) != FALSE;
}

bool Win32SystemPointer::setDoubleClickTime(std::uint32_t milliseconds) {
    return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, kAnnounceAndKeep) !=
           FALSE;
}

}  // namespace trv
