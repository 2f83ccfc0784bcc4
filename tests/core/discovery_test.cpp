#include "device/discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/transfer.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "support/two_mice_orders.h"

namespace trv {
namespace {

using testing::foreignDevice;
using testing::mouseCommand;
using testing::mouseData;
using testing::ScriptedHid;
using testing::ScriptedInterface;

ScriptedInterface locked(ScriptedInterface i) {
    i.probeFails = true;
    return i;
}
ScriptedInterface withoutDetail(ScriptedInterface i) {
    i.detailFails = true;
    return i;
}
ScriptedInterface withoutAttributes(ScriptedInterface i) {
    i.attributes.reset();
    return i;
}
ScriptedInterface withoutPreparsedData(ScriptedInterface i) {
    i.caps.reset();
    return i;
}
ScriptedInterface refusing(ScriptedInterface i, std::uint32_t error) {
    i.openError = error;
    return i;
}

TEST(FindMouse, OutcomeForEachArrangementOfInterfaces) {
    struct Row {
        const char* name;
        std::vector<ScriptedInterface> interfaces;
        bool found;
        bool commandOpen;
        bool dataOpen;
        std::optional<std::uint32_t> openError;
    };
    const Row rows[] = {
        {"data, then command", {mouseData(), mouseCommand()}, true, true, true, std::nullopt},
        {"command before data: both opened all the same",
         {mouseCommand(), mouseData()},
         true,
         true,
         true,
         std::nullopt},
        {"another vendor's devices around the mouse",
         {foreignDevice(u"f1"), mouseData(), foreignDevice(u"f2"), mouseCommand()},
         true,
         true,
         true,
         std::nullopt},
        {"a locked foreign device does not hide the mouse",
         {locked(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         std::nullopt},
        {"an interface without detail is passed over",
         {withoutDetail(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         std::nullopt},
        {"attributes that cannot be read are not the mouse's",
         {withoutAttributes(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         std::nullopt},
        {"another collection of the mouse is passed over",
         {mouseData(), testing::mouseCollection(u"kbd", 6, 9), mouseCommand()},
         true,
         true,
         true,
         std::nullopt},
        {"no interfaces", {}, false, false, false, std::nullopt},
        {"only foreign devices",
         {foreignDevice(u"a"), foreignDevice(u"b")},
         false,
         false,
         false,
         std::nullopt},
        {"data collection alone", {mouseData()}, false, false, true, std::nullopt},
        {"the mouse's preparsed data cannot be had",
         {withoutPreparsedData(mouseData()), mouseCommand()},
         false,
         false,
         false,
         std::nullopt},
        {"command collection refuses to open",
         {mouseData(), refusing(mouseCommand(), 5)},
         false,
         false,
         true,
         5u},
        {"data collection refuses to open",
         {refusing(mouseData(), 32), mouseCommand()},
         false,
         false,
         false,
         32u},
        {"error numbers print signed",
         {refusing(mouseCommand(), 0x80070005)},
         false,
         false,
         false,
         0x80070005u},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedHid hid;
        hid.interfaces = row.interfaces;
        DeviceState device;

        const DiscoveryResult result = FindMouse(hid, device);
        EXPECT_EQ(result.found, row.found);
        EXPECT_EQ(device.CommandChannel != nullptr, row.commandOpen);
        EXPECT_EQ(device.DataChannel != nullptr, row.dataOpen);
        EXPECT_EQ(device.commandFeatureLength, row.commandOpen ? 8 : 0);
        EXPECT_EQ(device.dataFeatureLength, row.dataOpen ? 65 : 0);
        EXPECT_EQ(result.channelOpenError, row.openError);
        EXPECT_EQ(hid.stillOpen("probe"), 0) << "every probe is closed again";
        EXPECT_EQ(hid.stillOpen("list"), 0) << "the interface list is released";
    }
}

TEST(FindMouse, InvalidInterfaceSetFailsSilently) {
    ScriptedHid hid;
    hid.setInvalid = true;
    hid.interfaces = {mouseData(), mouseCommand()};
    DeviceState device;
    const DiscoveryResult result = FindMouse(hid, device);
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(result.channelOpenError);
    EXPECT_TRUE(hid.events.empty());
}

TEST(FindMouse, RediscoveryClosesEachOldChannelBeforeOpeningItsReplacement) {
    ScriptedHid hid;
    hid.interfaces = {foreignDevice(), mouseData(), mouseCommand()};
    DeviceState device;
    ASSERT_TRUE(FindMouse(hid, device).found);
    ASSERT_TRUE(FindMouse(hid, device).found);

    std::vector<std::string> channelEvents;
    std::copy_if(hid.events.begin(), hid.events.end(), std::back_inserter(channelEvents),
                 [](const std::string& e) {
                     return e.find("command") != std::string::npos ||
                            e.find("data") != std::string::npos;
                 });
    ASSERT_EQ(channelEvents.size(), 6u);
    EXPECT_EQ(channelEvents[2].substr(0, 10), "close data");
    EXPECT_EQ(channelEvents[3].substr(0, 9), "open data");
    EXPECT_EQ(channelEvents[4].substr(0, 13), "close command");
    EXPECT_EQ(channelEvents[5].substr(0, 12), "open command");
    EXPECT_EQ(hid.stillOpen("data"), 1);
    EXPECT_EQ(hid.stillOpen("command"), 1);
    EXPECT_EQ(hid.stillOpen("probe"), 0);

    device.closeChannels();
    EXPECT_EQ(hid.stillOpen("data"), 0);
    EXPECT_EQ(hid.stillOpen("command"), 0);
}

// --- Several mice -----------------------------------------------------------

TEST(FindMouse, EachCommandCollectionIsPairedWithTheDataCollectionOfItsOwnMouse) {
    using testing::of;
    const std::u16string a = u"USB\\VID_04D9&PID_A0D6\\6&1A&0&1";
    const std::u16string b = u"USB\\VID_04D9&PID_A0D6\\6&2B&0&2";
    struct Row {
        const char* name;
        std::vector<ScriptedInterface> interfaces;
        std::vector<std::u16string> opened;  // data, then command
        std::uint32_t mice;
    };
    const Row rows[] = {
        {"by path: both command collections first",
         {of(a, mouseCommand(u"a-cmd")), of(b, mouseCommand(u"b-cmd")), of(a, mouseData(u"a-data")),
          of(b, mouseData(u"b-data"))},
         {u"a-data", u"a-cmd"},
         2},
        {"interleaved, the second mouse's data first",
         {of(b, mouseData(u"b-data")), of(a, mouseCommand(u"a-cmd")), of(a, mouseData(u"a-data")),
          of(b, mouseCommand(u"b-cmd"))},
         {u"a-data", u"a-cmd"},
         2},
        {"a whole mouse before one without its data collection",
         {of(a, mouseCommand(u"a-cmd")), of(b, mouseData(u"b-data")),
          of(b, mouseCommand(u"b-cmd"))},
         {u"b-data", u"b-cmd"},
         2},
        {"a mouse that cannot be read does not hide another",
         {of(a, withoutPreparsedData(mouseData(u"a-data"))), of(a, mouseCommand(u"a-cmd")),
          of(b, mouseCommand(u"b-cmd")), of(b, mouseData(u"b-data"))},
         {u"b-data", u"b-cmd"},
         2},
        {"a device of the model with neither collection is no mouse",
         {of(u"other", testing::mouseCollection(u"pointer", 2, 0)), of(b, mouseCommand(u"b-cmd")),
          of(b, mouseData(u"b-data"))},
         {u"b-data", u"b-cmd"},
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedHid hid;
        hid.interfaces = row.interfaces;
        DeviceState device;
        const DiscoveryResult result = FindMouse(hid, device);
        EXPECT_TRUE(result.found);
        EXPECT_EQ(result.miceFound, row.mice);
        EXPECT_EQ(hid.channelPaths, row.opened);
    }
}

TEST(FindMouse, RediscoveryKeepsNoChannelOfAMouseNoLongerTaken) {
    using testing::of;
    ScriptedHid hid;
    hid.interfaces = {of(u"a", mouseData()), of(u"a", mouseCommand()),
                      of(u"b", mouseCommand(u"b-cmd"))};
    DeviceState device;
    ASSERT_TRUE(FindMouse(hid, device).found);
    hid.interfaces.erase(hid.interfaces.begin(), hid.interfaces.begin() + 2);  // a unplugged
    const DiscoveryResult result = FindMouse(hid, device);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(device.DataChannel, nullptr) << "the data channel led to the other mouse";
    EXPECT_EQ(hid.stillOpen("data"), 0);
}

// Two identical mice, each a virtual one with its own collections and device key.
TEST(FindMouse, OfTwoIdenticalMiceAWriteReachesTheFirstWholeAndTheOtherNotAtAll) {
    std::vector<testing::HidOrder> orders = testing::twoMiceOrders();
    orders.insert(orders.begin(), {"as plugged in", [](testing::HidMembers&) {}});
    for (const auto& [name, order] : orders) {
        SCOPED_TRACE(name);
        auto first = std::make_shared<VirtualMouse>();
        auto second = std::make_shared<VirtualMouse>();
        VirtualHidSystem hid(first);
        hid.plugIn(second);
        order(hid.members());
        DeviceState device;
        testing::CountingClock clock;

        const BlockState state = testing::writeChangedBlockToTheMouseFound(hid, device, clock);
        if (::testing::Test::HasFailure()) return;

        EXPECT_EQ(first->contents(), state.block);
        const auto onCollection = [&](ChannelKind kind) {
            return std::count_if(first->wireLog().begin(), first->wireLog().end(),
                                 [kind](const WireFrame& f) { return f.collection == kind; });
        };
        EXPECT_GT(onCollection(ChannelKind::Command), 0);
        EXPECT_GT(onCollection(ChannelKind::Data), 0);
        EXPECT_TRUE(second->wireLog().empty());
        EXPECT_EQ(second->contents(), VirtualMouse::factoryContents());
    }
}

TEST(DeviceKey, OnlyAnInterfaceOfACompositeDeviceIsSteppedOver) {
    EXPECT_TRUE(isCompositeInterfaceNode(u"USB\\VID_04D9&PID_A0D6&MI_01\\7&1A2B&0&0001"));
    EXPECT_TRUE(isCompositeInterfaceNode(u"USB\\Vid_04d9&Pid_a0d6&mi_00\\7&1a2b&0&0000"));
    EXPECT_FALSE(isCompositeInterfaceNode(u"USB\\VID_04D9&PID_A0D6\\6&2B3C&0&1"));
    EXPECT_FALSE(isCompositeInterfaceNode(u"USB\\VID_04D9&PID_A0D6\\6&MI_0&1"));
    EXPECT_FALSE(isCompositeInterfaceNode(u"&MI_01"));
}

// --- Notifications ----------------------------------------------------------

constexpr std::u16string_view kMouseName =
    u"\\\\?\\HID#VID_04D9&PID_A0D6&MI_01&Col01#8&1f2e3d4c&0&0000#{4d1e55b2-f16f-11cf-88cb-"
    u"001111000030}";

TEST(DeviceNotifications, EveryFourthNotificationNamingTheMouseCountsWhateverTheMix) {
    const DeviceChange arrival{device_event::kArrival, device_event::kInterfaceType, kMouseName};
    const DeviceChange removal{device_event::kRemoveComplete, device_event::kInterfaceType,
                               kMouseName};
    const DeviceChange notCounted[] = {
        {device_event::kArrival, device_event::kInterfaceType, u"\\\\?\\HID#vid_04d9&pid_a0d6#x"},
        {device_event::kArrival, device_event::kInterfaceType, u"\\\\?\\HID#VID_046D&PID_C077#x"},
        {device_event::kArrival, 2, kMouseName},  // a volume, not an interface
        {0x8001, device_event::kInterfaceType, kMouseName},
        {device_event::kArrival, device_event::kInterfaceType,
         u"\\\\?\\HID#Vid_04d9&Pid_a0d6&MI_01#x"},  // the other spelling counts
    };
    DeviceState device;
    for (std::size_t i = 0; i + 1 < std::size(notCounted); ++i) {
        EXPECT_FALSE(countDeviceChange(notCounted[i], device)) << i;
    }
    EXPECT_EQ(device.deviceEventCount, 0);
    EXPECT_FALSE(countDeviceChange(notCounted[4], device));
    EXPECT_FALSE(countDeviceChange(removal, device));
    EXPECT_FALSE(countDeviceChange(arrival, device));
    EXPECT_TRUE(countDeviceChange(removal, device));
    EXPECT_EQ(device.deviceEventCount, 0) << "the count starts over";
}

}  // namespace
}  // namespace trv
