#pragma once
// Finding the mouse among the HID interfaces, and what start-up and the device
// notifications do with the result.

#include <cstdint>
#include <optional>
#include <string_view>

#include "device/device_state.h"
#include "device/transfer.h"

namespace trv {

// The mouse's two collections, by usage page, usage and feature report length.
inline constexpr std::uint16_t kGenericDesktopPage = 1;
inline constexpr std::uint16_t kCommandUsage = 6;
inline constexpr std::uint16_t kDataUsage = 2;
inline constexpr std::uint16_t kCommandFeatureLength = 8;
inline constexpr std::uint16_t kDataFeatureLength = 65;

struct DiscoveryResult {
    bool found = false;
    // Set when one of the mouse's channels could not be opened: the system's
    // error number, which the user is shown.
    std::optional<std::uint32_t> channelOpenError;
};

// Walks the present HID interfaces in order. The data collection, met first,
// opens the DataChannel; the command collection opens the CommandChannel and
// ends the search with success. A channel that cannot be opened ends it with
// failure. Interfaces that cannot be examined are passed over; they may be
// anyone's.
DiscoveryResult FindMouse(HidSystem& hid, DeviceState& device);

// After a successful discovery: frames are scrambled from now on, and the
// block is read anew; sensorType follows what was read (0 after a failure).
TransferResult readBlockAfterDiscovery(DeviceState& device, BlockState& state);

namespace device_event {
inline constexpr std::uint32_t kArrival = 0x8000;
inline constexpr std::uint32_t kRemoveComplete = 0x8004;
inline constexpr std::uint32_t kInterfaceType = 5;
inline constexpr std::uint8_t kNotificationsPerDiscovery = 4;
}  // namespace device_event

struct DeviceChange {
    std::uint32_t eventType = 0;
    std::uint32_t deviceType = 0;
    std::u16string_view interfaceName;

    bool arrival() const { return eventType == device_event::kArrival; }
};

// Does the interface name belong to the mouse (either spelling, case as given).
bool namesMouse(std::u16string_view interfaceName);

// Counts the mouse's arrivals and removals alike; true for every fourth, which
// runs discovery again (the count then starts over). Other notifications are
// not counted.
bool countDeviceChange(const DeviceChange& change, DeviceState& device);

}  // namespace trv
