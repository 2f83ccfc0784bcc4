#pragma once
// The device-change broadcast that comes with a device notification, read from
// its raw bytes. The broadcast states its own size; nothing beyond it is read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace trv {

namespace broadcast {
// Header: size, device type, reserved (32-bit each, little-endian).
inline constexpr std::size_t kSizeAt = 0;
inline constexpr std::size_t kDeviceTypeAt = 4;
inline constexpr std::size_t kHeaderSize = 12;
// A device-interface broadcast: the header, the class GUID, then the interface
// name in UTF-16, ended by a NUL or by the end of the broadcast.
inline constexpr std::size_t kInterfaceNameAt = 28;
inline constexpr std::uint32_t kDeviceInterfaceType = 5;
}  // namespace broadcast

struct DeviceBroadcast {
    std::uint32_t deviceType = 0;
    std::u16string interfaceName;  // empty unless a device-interface broadcast
};

// `bytes` is the broadcast as large as it says it is. Nothing when that is too
// small for the header.
std::optional<DeviceBroadcast> parseDeviceBroadcast(std::span<const std::uint8_t> bytes);

}  // namespace trv
