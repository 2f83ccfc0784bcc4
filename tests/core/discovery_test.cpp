#include "device/discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "device/virtual_mouse.h"
#include "device_fakes.h"

namespace trv {
namespace {

using testing::foreignDevice;
using testing::mouseCommand;
using testing::mouseData;
using testing::RecordingSink;
using testing::ScriptedHid;
using testing::ScriptedInterface;
using testing::Shown;

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
        std::vector<Shown> shown;
    };
    const Row rows[] = {
        {"data, then command", {mouseData(), mouseCommand()}, true, true, true, {}},
        {"command before data: data never looked at",
         {mouseCommand(), mouseData()},
         true,
         true,
         false,
         {}},
        {"another vendor's devices around the mouse",
         {foreignDevice(u"f1"), mouseData(), foreignDevice(u"f2"), mouseCommand()},
         true,
         true,
         true,
         {}},
        {"a locked foreign device does not hide the mouse",
         {locked(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         {}},
        {"an interface without detail is passed over",
         {withoutDetail(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         {}},
        {"attributes that cannot be read are not the mouse's",
         {withoutAttributes(foreignDevice()), mouseData(), mouseCommand()},
         true,
         true,
         true,
         {}},
        {"another collection of the mouse is passed over",
         {mouseData(), testing::mouseCollection(u"kbd", 6, 9), mouseCommand()},
         true,
         true,
         true,
         {}},
        {"no interfaces", {}, false, false, false, {}},
        {"only foreign devices",
         {foreignDevice(u"a"), foreignDevice(u"b")},
         false,
         false,
         false,
         {}},
        {"data collection alone", {mouseData()}, false, false, true, {}},
        {"the mouse's preparsed data cannot be had",
         {withoutPreparsedData(mouseData()), mouseCommand()},
         false,
         false,
         false,
         {}},
        {"command collection refuses to open",
         {mouseData(), refusing(mouseCommand(), 5)},
         false,
         false,
         true,
         {{u"CreateFile Error Code:5", u""}}},
        {"data collection refuses to open",
         {refusing(mouseData(), 32), mouseCommand()},
         false,
         false,
         false,
         {{u"CreateFile Error Code:32", u""}}},
        {"error numbers print signed",
         {refusing(mouseCommand(), 0x80070005)},
         false,
         false,
         false,
         {{u"CreateFile Error Code:-2147024891", u""}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedHid hid;
        hid.interfaces = row.interfaces;
        DeviceState device;
        RecordingSink sink;

        EXPECT_EQ(FindMouse(hid, device, sink), row.found);
        EXPECT_EQ(device.CommandChannel != nullptr, row.commandOpen);
        EXPECT_EQ(device.DataChannel != nullptr, row.dataOpen);
        EXPECT_EQ(device.commandFeatureLength, row.commandOpen ? 8 : 0);
        EXPECT_EQ(device.dataFeatureLength, row.dataOpen ? 65 : 0);
        EXPECT_EQ(sink.shown, row.shown);
        EXPECT_EQ(hid.stillOpen("probe"), 0) << "every probe is closed again";
        EXPECT_EQ(hid.stillOpen("list"), 0) << "the interface list is released";
    }
}

TEST(FindMouse, InvalidInterfaceSetFailsSilently) {
    ScriptedHid hid;
    hid.setInvalid = true;
    hid.interfaces = {mouseData(), mouseCommand()};
    DeviceState device;
    RecordingSink sink;
    EXPECT_FALSE(FindMouse(hid, device, sink));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(hid.events.empty());
}

TEST(FindMouse, RediscoveryClosesEachOldChannelBeforeOpeningItsReplacement) {
    ScriptedHid hid;
    hid.interfaces = {foreignDevice(), mouseData(), mouseCommand()};
    DeviceState device;
    RecordingSink sink;
    ASSERT_TRUE(FindMouse(hid, device, sink));
    ASSERT_TRUE(FindMouse(hid, device, sink));

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

// --- Notifications ----------------------------------------------------------

constexpr std::u16string_view kMouseName =
    u"\\\\?\\HID#VID_04D9&PID_A0D6&MI_01&Col01#8&1f2e3d4c&0&0000#{4d1e55b2-f16f-11cf-88cb-"
    u"001111000030}";
constexpr std::u16string_view kMixedCaseName = u"\\\\?\\HID#Vid_04d9&Pid_a0d6&MI_01#x";

DeviceChange arrival(std::u16string_view name = kMouseName) {
    return {device_event::kArrival, device_event::kInterfaceType, name};
}
DeviceChange removal(std::u16string_view name = kMouseName) {
    return {device_event::kRemoveComplete, device_event::kInterfaceType, name};
}

struct Window {
    std::shared_ptr<VirtualMouse> mouse = std::make_shared<VirtualMouse>();
    VirtualHidSystem present{mouse};
    ScriptedHid absent;
    DeviceState device;
    BlockState state;
    RecordingSink sink;

    DeviceChangeOutcome notify(const DeviceChange& change, bool mouseThere = true) {
        HidSystem& hid = mouseThere ? static_cast<HidSystem&>(present) : absent;
        return handleDeviceChange(change, hid, device, state, sink, Language::English);
    }
};

TEST(DeviceNotifications, EveryFourthMatchingNotificationRunsDiscoveryWhateverTheMix) {
    const std::vector<std::vector<DeviceChange>> sequences = {
        {arrival(), arrival(), arrival(), arrival()},
        {removal(), removal(), removal(), removal()},
        {arrival(), removal(), removal(), arrival()},
        {removal(), arrival(), arrival(), removal()},
        {arrival(kMixedCaseName), removal(), arrival(kMixedCaseName), arrival()},
    };
    for (const auto& sequence : sequences) {
        Window w;
        w.absent.interfaces = {foreignDevice()};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(w.notify(sequence[i], false), DeviceChangeOutcome{}) << i;
            EXPECT_EQ(w.device.deviceEventCount, i + 1);
        }
        EXPECT_EQ(w.absent.listsTaken, 0) << "three notifications do nothing";
        EXPECT_TRUE(w.notify(sequence[3], false).discoveryRan);
        EXPECT_EQ(w.absent.listsTaken, 1);
        EXPECT_EQ(w.device.deviceEventCount, 0);
    }
}

TEST(DeviceNotifications, NotificationsNotNamingTheMouseAreNotCounted) {
    const DeviceChange ignored[] = {
        arrival(u"\\\\?\\hid#vid_04d9&pid_a0d6&mi_01#x"),  // all lower case
        arrival(u"\\\\?\\HID#VID_04D9&PID_A0D7#x"),
        arrival(u""),
        {device_event::kArrival, 3, kMouseName},             // handle, not interface
        {0x8001, device_event::kInterfaceType, kMouseName},  // query remove
        {0x8003, device_event::kInterfaceType, kMouseName},  // remove pending
        {0x0007, device_event::kInterfaceType, kMouseName},  // devnodes changed
    };
    Window w;
    for (int round = 0; round < 2; ++round) {
        for (const DeviceChange& change : ignored) {
            EXPECT_EQ(w.notify(change), DeviceChangeOutcome{});
        }
    }
    EXPECT_EQ(w.device.deviceEventCount, 0);
    EXPECT_TRUE(w.mouse->wireLog().empty());
}

void countThree(Window& w) {
    for (int i = 0; i < 3; ++i) w.notify(removal());
}

TEST(DeviceNotifications, ArrivalWithTheMouseFoundShowsFoundAndReadsTheBlockAgain) {
    Window w;
    w.mouse->contents().image[block::kSensorType] = 1;
    w.state.block.image[0] = 0x99;  // whatever was there goes
    countThree(w);

    const DeviceChangeOutcome outcome = w.notify(arrival());
    EXPECT_EQ(outcome, (DeviceChangeOutcome{true, 14, false}));
    EXPECT_TRUE(w.device.mousePresent);
    EXPECT_TRUE(w.device.scrambleEnabled);
    EXPECT_EQ(w.state.block, w.mouse->contents());
    EXPECT_TRUE(w.state.complete);
    EXPECT_EQ(w.device.sensorType, 1);
    EXPECT_TRUE(w.sink.shown.empty());
}

TEST(DeviceNotifications, FoundBalloonComesBeforeAFailedReadsMessage) {
    Window w;
    countThree(w);
    w.mouse->faults().wrongSignature = true;
    std::vector<std::string> seen;
    const BalloonRequest balloon = [&](std::uint32_t code) {
        seen.push_back("balloon " + std::to_string(code));
        seen.push_back("messages so far " + std::to_string(w.sink.shown.size()));
    };

    handleDeviceChange(arrival(), w.present, w.device, w.state, w.sink, Language::English, balloon);

    EXPECT_EQ(seen, (std::vector<std::string>{"balloon 14", "messages so far 0"}));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].caption, u"ReadOperation");
}

TEST(DeviceNotifications, RemovalAfterWhichTheMouseIsStillThereSaysNothing) {
    Window w;
    ASSERT_TRUE(FindMouse(w.present, w.device, w.sink));
    w.device.mousePresent = false;
    countThree(w);

    const DeviceChangeOutcome outcome = w.notify(removal());
    EXPECT_EQ(outcome, (DeviceChangeOutcome{true, std::nullopt, false}));
    EXPECT_TRUE(w.device.mousePresent);
    EXPECT_TRUE(w.mouse->wireLog().empty()) << "no read on removal";
}

TEST(DeviceNotifications, MouseNotFoundShowsNotFoundAndHidesTheWindow) {
    for (bool isArrival : {true, false}) {
        Window w;
        w.device.mousePresent = true;
        countThree(w);
        const DeviceChangeOutcome outcome = w.notify(isArrival ? arrival() : removal(), false);
        EXPECT_EQ(outcome, (DeviceChangeOutcome{true, 15, true}));
        EXPECT_FALSE(w.device.mousePresent);
    }
}

TEST(DeviceNotifications, ArrivalOfAMouseWhoseCommandCollectionComesFirstFailsTheReadCleanly) {
    auto mouse = std::make_shared<VirtualMouse>();
    VirtualHidSystem hid(mouse, {.foreignDeviceFirst = true, .commandCollectionFirst = true});
    DeviceState device;
    BlockState state;
    RecordingSink sink;
    for (int i = 0; i < 3; ++i)
        handleDeviceChange(arrival(), hid, device, state, sink, Language::English);

    const DeviceChangeOutcome outcome =
        handleDeviceChange(arrival(), hid, device, state, sink, Language::English);
    EXPECT_EQ(outcome, (DeviceChangeOutcome{true, 14, false}));
    EXPECT_TRUE(device.mousePresent);
    EXPECT_EQ(device.DataChannel, nullptr);
    EXPECT_FALSE(state.complete);
    EXPECT_EQ(
        sink.shown,
        (std::vector<Shown>{{u"The system did not detect the gaming mouse!", u"ReadOperation"}}));
}

// --- Start-up ---------------------------------------------------------------

TEST(DeviceStartUp, MouseFoundIsReadAndItsSensorTypeTaken) {
    auto mouse = std::make_shared<VirtualMouse>();
    mouse->contents().image[block::kSensorType] = 1;
    VirtualHidSystem hid(mouse);
    DeviceState device;
    BlockState state;
    state.block.image[300] = 0x42;
    RecordingSink sink;

    startUpDevice(hid, device, state, sink, Language::English);
    EXPECT_TRUE(device.mousePresent);
    EXPECT_TRUE(device.scrambleEnabled);
    EXPECT_EQ(state.block, mouse->contents());
    EXPECT_TRUE(state.complete);
    EXPECT_EQ(device.sensorType, 1);
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DeviceStartUp, NoMouseLeavesItAbsentAndSaysNothing) {
    ScriptedHid hid;
    hid.interfaces = {foreignDevice(), mouseData()};
    DeviceState device;
    BlockState state;
    RecordingSink sink;
    startUpDevice(hid, device, state, sink, Language::English);
    EXPECT_FALSE(device.mousePresent);
    EXPECT_FALSE(device.scrambleEnabled);
    EXPECT_FALSE(state.complete);
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DeviceStartUp, RefusedReadLeavesSensorTypeZero) {
    auto mouse = std::make_shared<VirtualMouse>();
    mouse->contents().image[block::kSensorType] = 1;
    mouse->faults().wrongSignature = true;
    VirtualHidSystem hid(mouse);
    DeviceState device;
    device.sensorType = 1;
    BlockState state;
    RecordingSink sink;

    startUpDevice(hid, device, state, sink, Language::English);
    EXPECT_TRUE(device.mousePresent);
    EXPECT_EQ(device.sensorType, 0);
    EXPECT_EQ(state.block, ConfigBlock{});
    EXPECT_EQ(sink.shown.size(), 1u);
}

}  // namespace
}  // namespace trv
