// clang-format off
#include <windows.h>
#include <dbt.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "device/discovery.h"
#include "device/hid_setupapi_win.h"
#include "device/transfer.h"
#include "device/virtual_mouse.h"
#include "fake_hid_machine_win.h"
#include "support/two_mice_orders.h"

namespace trv {
namespace {

// The machine the tests run on has HID devices of its own, none of them the mouse.
TEST(SetupApiHid, WithoutTheMouseDiscoveryFailsQuietlyAndOpensNothing) {
    SetupApiHidSystem hid;
    DeviceState device;
    const DiscoveryResult result = FindMouse(hid, device);
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(result.channelOpenError) << "nothing to say to the user";
    EXPECT_FALSE(device.mousePresent);
    EXPECT_EQ(device.CommandChannel, nullptr);
    EXPECT_EQ(device.DataChannel, nullptr);
}

TEST(SetupApiHid, PresentInterfacesHavePathsAndAnotherVendor) {
    SetupApiHidSystem hid;
    std::unique_ptr<HidInterfaceList> list = hid.presentInterfaces();
    ASSERT_NE(list, nullptr);
    std::uint32_t index = 0;
    for (; list->hasMember(index); ++index) {
        std::optional<std::u16string> path = list->devicePath(index);
        ASSERT_TRUE(path.has_value()) << index;
        EXPECT_FALSE(path->empty());
        std::unique_ptr<HidProbe> probe = hid.openProbe(*path);
        if (!probe) continue;
        std::optional<HidAttributes> attributes = probe->attributes();
        if (attributes) {
            EXPECT_NE(attributes->vendorId, kMouseVendorId);
        }
    }
    EXPECT_FALSE(list->devicePath(index).has_value());
    std::printf("%u HID interfaces present\n", static_cast<unsigned>(index));
}

TEST(SetupApiHid, ChannelThatCannotBeOpenedReportsTheSystemsErrorNumber) {
    SetupApiHidSystem hid;
    ChannelOpening opening =
        hid.openChannel(u"\\\\?\\hid#vid_04d9&pid_a0d6#nowhere#{0}", ChannelKind::Command);
    EXPECT_EQ(opening.channel, nullptr);
    EXPECT_NE(opening.errorCode, 0u);
}

// --- Against a machine of virtual mice -----------------------------------------

class NoWaits final : public Clock {
  public:
    void sleepMs(std::uint32_t) override {}
};

// Two identical mice, each with its own collections under its own USB device.
struct TwoMiceMachine {
    std::shared_ptr<VirtualMouse> first = std::make_shared<VirtualMouse>();
    std::shared_ptr<VirtualMouse> second = std::make_shared<VirtualMouse>();
    VirtualHidSystem bus{first};
    TwoMiceMachine() { bus.plugIn(second); }
};

TEST(SetupApiHidFake, OfTwoIdenticalMiceEachCommandCollectionPairsWithItsOwnDataCollection) {
    const std::vector<testing::HidOrder> orders = testing::twoMiceOrders();
    for (const auto& [name, order] : orders) {
        SCOPED_TRACE(name);
        TwoMiceMachine mice;
        order(mice.bus.members());
        testing::FakeHidMachine machine(mice.bus.members());
        SetupApiHidSystem hid;
        DeviceState device;
        NoWaits clock;

        const BlockState state = testing::writeChangedBlockToTheMouseFound(hid, device, clock);
        if (::testing::Test::HasFailure()) return;

        EXPECT_EQ(mice.first->contents(), state.block) << "the whole block, to the first";
        EXPECT_TRUE(mice.second->wireLog().empty());
        EXPECT_EQ(machine.setsHeld(), 0);
        EXPECT_EQ(machine.preparsedHeld(), 0);
        EXPECT_EQ(machine.filesHeld(), 2) << "the two channels, no probe";
        device.closeChannels();
        EXPECT_EQ(machine.filesHeld(), 0);
    }
}

TEST(SetupApiHidFake, OneMouseListedCommandFirstIsFoundWithBothChannels) {
    auto mouse = std::make_shared<VirtualMouse>();
    VirtualHidSystem bus(mouse, {.foreignDeviceFirst = true, .commandCollectionFirst = true});
    testing::FakeHidMachine machine(bus.members());
    SetupApiHidSystem hid;
    DeviceState device;
    BlockState state;

    const DiscoveryResult found = FindMouse(hid, device);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.miceFound, 1u);
    EXPECT_NE(device.DataChannel, nullptr);
    EXPECT_TRUE(readBlockAfterDiscovery(device, state).ok()) << "reads through both";
}

// The key of a mouse's collection is its USB device, above the interface
// node; another vendor's collection hangs under its device directly.
TEST(SetupApiHidFake, DeviceKeyIsTheUsbDeviceAboveTheCollection) {
    TwoMiceMachine mice;
    testing::FakeHidMachine machine(mice.bus.members());
    SetupApiHidSystem hid;
    std::unique_ptr<HidInterfaceList> list = hid.presentInterfaces();
    ASSERT_NE(list, nullptr);
    for (std::uint32_t i = 0; i < mice.bus.members().size(); ++i) {
        EXPECT_EQ(list->deviceKey(i), mice.bus.members()[i].deviceKey) << i;
    }
}

// A device-interface broadcast whose stated size ends inside the name buffer.
TEST(DeviceBroadcastWin, NameIsReadOnlyWithinTheStatedSize) {
    const wchar_t name[] = L"\\\\?\\HID#VID_04D9&PID_A0D6#7&1";
    std::vector<std::uint64_t> storage(64);
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(b->dbcc_name, name, sizeof name);

    struct Row {
        DWORD size;
        std::u16string expected;
    };
    const DWORD nameAt = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    const Row rows[] = {
        {static_cast<DWORD>(nameAt + sizeof name), u"\\\\?\\HID#VID_04D9&PID_A0D6#7&1"},
        {nameAt + 8 * 2, u"\\\\?\\HID#"},  // eight characters
        {nameAt, u""},
    };
    for (const Row& row : rows) {
        b->dbcc_size = row.size;
        std::optional<DeviceBroadcast> read = readDeviceBroadcast(reinterpret_cast<LPARAM>(b));
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->deviceType, 5u);
        EXPECT_EQ(read->interfaceName, row.expected) << row.size;
    }

    b->dbcc_size = 8;
    EXPECT_FALSE(readDeviceBroadcast(reinterpret_cast<LPARAM>(b)).has_value());
    EXPECT_FALSE(readDeviceBroadcast(0).has_value());
}

// A pointer that came with another process's message is not read blindly.
TEST(DeviceBroadcastWin, PointersIntoUnreadableMemoryAreRefused) {
    EXPECT_FALSE(readDeviceBroadcast(0x1234).has_value());

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    auto* pages = static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD oldProtection = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS,
                               &oldProtection));
    // A header at the end of the readable page that claims to run on into
    // the unreadable one.
    auto* header = pages + system.dwPageSize - 16;
    const DWORD claimed = 400;
    std::memcpy(header, &claimed, sizeof claimed);
    const DWORD type = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(header + 4, &type, sizeof type);
    EXPECT_FALSE(readDeviceBroadcast(reinterpret_cast<LPARAM>(header)).has_value());

    const DWORD fits = 16;
    std::memcpy(header, &fits, sizeof fits);
    EXPECT_TRUE(readDeviceBroadcast(reinterpret_cast<LPARAM>(header)).has_value());
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(DeviceBroadcastWin, HidNotificationsCanBeRegisteredForAWindow) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HDEVNOTIFY registration = registerHidNotifications(window);
    EXPECT_NE(registration, nullptr);
    if (registration) UnregisterDeviceNotification(registration);
    DestroyWindow(window);
}

}  // namespace
}  // namespace trv
