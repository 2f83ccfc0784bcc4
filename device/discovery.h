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
    // The mice of this model present, each counted once however many of its
    // collections were seen. With more than one, the channels are the first's.
    std::uint32_t miceFound = 0;
};

// Examines every present HID interface and groups the mouse's collections by
// the physical device they belong to, so that both channels always lead to
// the same mouse whatever order the system enumerates them in. Of several
// mice, the first whole one by device key is taken, so the choice does not
// change from one discovery to the next. Its DataChannel is opened, then its
// CommandChannel; finding the command collection is success, and a channel
// that cannot be opened is failure. Interfaces that cannot be examined are
// passed over, they may be anyone's; a mouse whose capabilities cannot be
// read is not taken.
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

// Whether a device instance ID ("USB\VID_04D9&PID_A0D6&MI_01\7&1A2B&0&0001")
// names one interface of a composite USB device rather than a device.
bool isCompositeInterfaceNode(std::u16string_view deviceId);

// Does the interface name belong to the mouse (either spelling, case as given).
bool namesMouse(std::u16string_view interfaceName);

// Counts the mouse's arrivals and removals alike; true for every fourth, which
// runs discovery again (the count then starts over). Other notifications are
// not counted.
bool countDeviceChange(const DeviceChange& change, DeviceState& device);

}  // namespace trv
