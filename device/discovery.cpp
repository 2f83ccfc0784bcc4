#include "device/discovery.h"

#include <array>
#include <map>
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

// One physical mouse, as its collections were met.
struct MouseDevice {
    std::optional<std::u16string> dataPath;
    std::optional<std::u16string> commandPath;
    bool unreadable = false;  // a collection whose capabilities could not be had

    bool holdsEither() const { return dataPath || commandPath; }
    // A whole mouse before one that can take commands only, before one that
    // only carries data.
    int completeness() const { return (commandPath ? 2 : 0) + (dataPath ? 1 : 0); }
};

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

    // By device key, so that the order is the keys' and not the enumeration's.
    std::map<std::u16string, MouseDevice> mice;
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
        MouseDevice& mouse = mice[interfaces->deviceKey(index)];
        if (!caps) {
            mouse.unreadable = true;
        } else if (isDataCollection(*caps)) {
            if (!mouse.dataPath) mouse.dataPath = std::move(*path);
        } else if (isCommandCollection(*caps)) {
            if (!mouse.commandPath) mouse.commandPath = std::move(*path);
        }
    }

    DiscoveryResult result;
    const MouseDevice* chosen = nullptr;
    for (const auto& [key, mouse] : mice) {
        if (mouse.holdsEither()) ++result.miceFound;
        if (mouse.unreadable || !mouse.holdsEither()) continue;
        if (chosen == nullptr || mouse.completeness() > chosen->completeness()) chosen = &mouse;
    }
    if (chosen == nullptr) return result;

    // A channel of an earlier discovery may lead to another mouse now; none
    // is kept beside the chosen mouse's own.
    if (chosen->dataPath) {
        if (auto error = reopen(hid, *chosen->dataPath, ChannelKind::Data, device.DataChannel)) {
            result.channelOpenError = error;
            return result;
        }
        device.dataFeatureLength = kDataFeatureLength;
    } else {
        device.DataChannel.reset();
        device.dataFeatureLength = 0;
    }
    if (!chosen->commandPath) {
        device.CommandChannel.reset();
        device.commandFeatureLength = 0;
        return result;
    }
    device.mousePresent = true;
    if (auto error =
            reopen(hid, *chosen->commandPath, ChannelKind::Command, device.CommandChannel)) {
        result.channelOpenError = error;
        return result;
    }
    device.commandFeatureLength = kCommandFeatureLength;
    result.found = true;
    return result;
}

TransferResult readBlockAfterDiscovery(DeviceState& device, BlockState& state) {
    device.scrambleEnabled = true;
    const TransferResult result = ReadConfigBlock(device, state);
    device.sensorType = state.block.image[block::kSensorType];
    return result;
}

bool isCompositeInterfaceNode(std::u16string_view deviceId) {
    const std::size_t first = deviceId.find(u'\\');
    if (first == std::u16string_view::npos) return false;
    std::u16string_view hardware = deviceId.substr(first + 1);
    hardware = hardware.substr(0, hardware.find(u'\\'));
    std::u16string upper(hardware);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return upper.find(u"&MI_") != std::u16string::npos;
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
