#pragma once
// The enumeration orders that two identical mice are listed in: as the
// system usually sorts them (by path: both command collections before both
// data collections) and interleaved. The members are, as plugged in: another
// vendor's device, then each mouse's data and command collections.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "device/discovery.h"
#include "device/transfer.h"
#include "device/virtual_mouse.h"

namespace trv::testing {

using HidMembers = std::vector<VirtualHidSystem::Member>;
using HidOrder = std::pair<const char*, std::function<void(HidMembers&)>>;

inline std::vector<HidOrder> twoMiceOrders() {
    return {
        {"by path",
         [](HidMembers& m) {
             std::sort(m.begin(), m.end(),
                       [](const auto& x, const auto& y) { return x.path < y.path; });
         }},
        // Another vendor's device, then data of the second, command of the first, ...
        {"interleaved, the second mouse's data first",
         [](HidMembers& m) {
             m = {m[0], m[3], m[2], m[1], m[4]};
         }},
    };
}

// Discovery over `hid` finds two mice, reads the block of the one it chose and
// writes it back changed; the block as written, for the caller to look for
// on each mouse.
inline BlockState writeChangedBlockToTheMouseFound(HidSystem& hid, DeviceState& device,
                                                   Clock& clock) {
    BlockState state;
    const DiscoveryResult found = FindMouse(hid, device);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.miceFound, 2u);
    EXPECT_TRUE(readBlockAfterDiscovery(device, state).ok());
    state.block.image[block::kLightMode] ^= 1;
    EXPECT_TRUE(WriteConfigBlock(device, state, clock).ok());
    return state;
}

}  // namespace trv::testing
