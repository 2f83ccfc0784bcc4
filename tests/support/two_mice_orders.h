#pragma once
// The enumeration orders that two identical mice are listed in: as the
// system usually sorts them (by path: both command collections before both
// data collections) and interleaved. The members are, as plugged in: another
// vendor's device, then each mouse's data and command collections.

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

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

}  // namespace trv::testing
