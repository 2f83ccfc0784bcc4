#pragma once
// Finding the mouse among the HID interfaces, and what start-up and the device
// notifications do with the result.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "app/message_sink.h"
#include "device/device_state.h"
#include "lang/text_table.h"

namespace trv {

// The mouse's two collections, by usage page, usage and feature report length.
inline constexpr std::uint16_t kGenericDesktopPage = 1;
inline constexpr std::uint16_t kCommandUsage = 6;
inline constexpr std::uint16_t kDataUsage = 2;
inline constexpr std::uint16_t kCommandFeatureLength = 8;
inline constexpr std::uint16_t kDataFeatureLength = 65;

// Walks the present HID interfaces in order. The data collection, met first,
// opens the DataChannel; the command collection opens the CommandChannel and
// ends the search with success. A channel that cannot be opened is reported as
// "CreateFile Error Code:<n>" (no caption) and ends it with failure.
// Interfaces that cannot be examined are passed over; they may be anyone's.
bool FindMouse(HidSystem& hid, DeviceState& device, MessageSink& sink);

// Start-up: find the mouse and read its block. Nothing is said when it is
// absent.
void startUpDevice(HidSystem& hid, DeviceState& device, BlockState& state, MessageSink& sink,
                   Language language);

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
};

// What the main window does after a device notification: show a balloon
// (code 14 mouse found, 15 not found) and/or hide itself.
struct DeviceChangeOutcome {
    bool discoveryRan = false;
    std::optional<std::uint32_t> balloon;
    bool hideWindow = false;
    bool operator==(const DeviceChangeOutcome&) const = default;
};

// Does the interface name belong to the mouse (either spelling, case as given).
bool namesMouse(std::u16string_view interfaceName);

// Shows balloon 14 or 15 at the moment the rules call for it.
using BalloonRequest = std::function<void(std::uint32_t code)>;

// Counts the mouse's arrivals and removals; every fourth runs discovery again,
// and an arrival then reads the block anew. The found balloon is requested
// before that read, so the user learns of the mouse before any read message.
DeviceChangeOutcome handleDeviceChange(const DeviceChange& change, HidSystem& hid,
                                       DeviceState& device, BlockState& state, MessageSink& sink,
                                       Language language, const BalloonRequest& showBalloon = {});

}  // namespace trv
