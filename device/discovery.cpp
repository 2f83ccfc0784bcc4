#include "device/discovery.h"

#include <array>
#include <string>

#include "app/balloon.h"
#include "device/transfer.h"

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

void reportOpenFailure(MessageSink& sink, std::uint32_t errorCode) {
    // Printed as a signed number, as the system's own error boxes do.
    const std::string number = std::to_string(static_cast<std::int32_t>(errorCode));
    std::u16string message = u"CreateFile Error Code:";
    message.append(number.begin(), number.end());
    sink.showMessage(message, u"");
}

// Closes the old channel before the new one is opened in its place.
bool reopen(HidSystem& hid, const std::u16string& path, ChannelKind kind,
            std::unique_ptr<FeatureChannel>& channel, MessageSink& sink) {
    channel.reset();
    ChannelOpening opening = hid.openChannel(path, kind);
    if (!opening.channel) {
        reportOpenFailure(sink, opening.errorCode);
        return false;
    }
    channel = std::move(opening.channel);
    return true;
}

void readAfterDiscovery(DeviceState& device, BlockState& state, MessageSink& sink,
                        Language language) {
    device.scrambleEnabled = true;
    state.block.clear();
    ReadConfigBlock(device, state, sink, language);
    device.sensorType = state.block.image[block::kSensorType];
}

}  // namespace

bool FindMouse(HidSystem& hid, DeviceState& device, MessageSink& sink) {
    std::unique_ptr<HidInterfaceList> interfaces = hid.presentInterfaces();
    if (!interfaces) return false;

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
        if (!caps) return false;

        if (isDataCollection(*caps)) {
            if (!reopen(hid, *path, ChannelKind::Data, device.DataChannel, sink)) return false;
            device.dataFeatureLength = kDataFeatureLength;
        } else if (isCommandCollection(*caps)) {
            device.mousePresent = true;
            if (!reopen(hid, *path, ChannelKind::Command, device.CommandChannel, sink)) {
                return false;
            }
            device.commandFeatureLength = kCommandFeatureLength;
            return true;
        }
    }
    return false;
}

void startUpDevice(HidSystem& hid, DeviceState& device, BlockState& state, MessageSink& sink,
                   Language language) {
    if (!FindMouse(hid, device, sink)) {
        device.mousePresent = false;
        return;
    }
    device.mousePresent = true;
    readAfterDiscovery(device, state, sink, language);
}

bool namesMouse(std::u16string_view interfaceName) {
    for (std::u16string_view spelling : kMouseNameSpellings) {
        if (interfaceName.find(spelling) != std::u16string_view::npos) return true;
    }
    return false;
}

DeviceChangeOutcome handleDeviceChange(const DeviceChange& change, HidSystem& hid,
                                       DeviceState& device, BlockState& state, MessageSink& sink,
                                       Language language, const BalloonRequest& showBalloon) {
    const bool arrival = change.eventType == device_event::kArrival;
    if (!arrival && change.eventType != device_event::kRemoveComplete) return {};
    if (change.deviceType != device_event::kInterfaceType) return {};
    if (!namesMouse(change.interfaceName)) return {};

    if (++device.deviceEventCount != device_event::kNotificationsPerDiscovery) return {};
    device.deviceEventCount = 0;

    DeviceChangeOutcome outcome;
    outcome.discoveryRan = true;
    if (!FindMouse(hid, device, sink)) {
        device.mousePresent = false;
        outcome.balloon = balloon_code::kMouseMissing;
        if (showBalloon) showBalloon(*outcome.balloon);
        outcome.hideWindow = true;
        return outcome;
    }
    if (arrival) {
        outcome.balloon = balloon_code::kMouseFound;
        if (showBalloon) showBalloon(*outcome.balloon);
        readAfterDiscovery(device, state, sink, language);
    }
    device.mousePresent = true;
    return outcome;
}

}  // namespace trv
