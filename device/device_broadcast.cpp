#include "device/device_broadcast.h"

namespace trv {

namespace {

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::u16string boundedName(std::span<const std::uint8_t> bytes) {
    std::u16string name;
    for (std::size_t at = broadcast::kInterfaceNameAt; at + 1 < bytes.size(); at += 2) {
        const char16_t c = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
        if (c == u'\0') break;
        name.push_back(c);
    }
    return name;
}

}  // namespace

std::optional<DeviceBroadcast> parseDeviceBroadcast(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < broadcast::kHeaderSize) return std::nullopt;
    DeviceBroadcast result;
    result.deviceType = readU32(bytes, broadcast::kDeviceTypeAt);
    if (result.deviceType == broadcast::kDeviceInterfaceType)
        result.interfaceName = boundedName(bytes);
    return result;
}

}  // namespace trv
