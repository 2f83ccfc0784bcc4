#include "device/discovery.h"

#include <array>
#include <string>

namespace trv {

namespace {

constexpr std::array<std::u16string_view, 2> kMouseNameSpellings{u"Vid_04d9&Pid_a0d6",
                                                                 u"VID_04D9&PID_A0D6"};

bool isMouse(const HidAttributes& attributes) {
    return attributes.vendorId == kMouseVendorId && attributes.productId == kMouseProductId;
}

bool isDataCollection(const HidCaps& caps) {
    return caps.usagePage == kGenericDesktopPage && caps.usage == kDataUsage &&
           caps.featureReportByteLength == kDataFeatureLength;
}

bool isCommandCollection(const HidCaps& caps) {
    return caps.usagePage == kGenericDesktopPage && caps.usage == kCommandUsage &&
           caps.featureReportByteLength == kCommandFeatureLength;
}

// Closes the old channel before the new one is opened in its place.
std::optional<std::uint32_t> reopen(HidSystem& hid, const std::u16string& path, ChannelKind kind,
                                    std::unique_ptr<FeatureChannel>& channel) {
    channel.reset();
    ChannelOpening opening = hid.openChannel(path, kind);
    if (!opening.channel) return opening.errorCode;
    channel = std::move(opening.channel);
    return std::nullopt;
}

}  // namespace

DiscoveryResult FindMouse(HidSystem& hid, DeviceState& device) {
    std::unique_ptr<HidInterfaceList> interfaces = hid.presentInterfaces();
    if (!interfaces) return {};

    for (std::uint32_t index = 0; interfaces->hasMember(index); ++index) {
        std::optional<std::u16string> path = interfaces->devicePath(index);
        if (!path) continue;
        device.devicePath = *path;

        std::optional<HidCaps> caps;
        {
            std::unique_ptr<HidProbe> probe = hid.openProbe(*path);
            if (!probe) continue;
            std::optional<HidAttributes> attributes = probe->attributes();
            if (!attributes || !isMouse(*attributes)) continue;
            caps = probe->capabilities();
        }
        if (!caps) return {};

        if (isDataCollection(*caps)) {
            if (auto error = reopen(hid, *path, ChannelKind::Data, device.DataChannel)) {
                return {false, error};
            }
            device.dataFeatureLength = kDataFeatureLength;
        } else if (isCommandCollection(*caps)) {
            device.mousePresent = true;
            if (auto error = reopen(hid, *path, ChannelKind::Command, device.CommandChannel)) {
                return {false, error};
            }
            device.commandFeatureLength = kCommandFeatureLength;
            return {true, std::nullopt};
        }
    }
    return {};
}

TransferResult readBlockAfterDiscovery(DeviceState& device, BlockState& state) {
    device.scrambleEnabled = true;
    const TransferResult result = ReadConfigBlock(device, state);
    device.sensorType = state.block.image[block::kSensorType];
    return result;
}

bool namesMouse(std::u16string_view interfaceName) {
    for (std::u16string_view spelling : kMouseNameSpellings) {
        if (interfaceName.find(spelling) != std::u16string_view::npos) return true;
    }
    return false;
}

bool countDeviceChange(const DeviceChange& change, DeviceState& device) {
    if (!change.arrival() && change.eventType != device_event::kRemoveComplete) return false;
    if (change.deviceType != device_event::kInterfaceType) return false;
    if (!namesMouse(change.interfaceName)) return false;
    if (++device.deviceEventCount != device_event::kNotificationsPerDiscovery) return false;
    device.deviceEventCount = 0;
    return true;
}

}  // namespace trv
