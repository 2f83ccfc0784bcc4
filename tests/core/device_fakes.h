#pragma once
// Stand-ins for the device link's surroundings: a window recorder, a clock
// that only counts, and a HID stack that plays a script and counts every handle
// it hands out and gets back.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_system.h"
#include "device/transfer.h"
#include "support/recording_window.h"

namespace trv::testing {

class CountingClock final : public Clock {
  public:
    void sleepMs(std::uint32_t ms) override { waits.push_back(ms); }
    std::vector<std::uint32_t> waits;
};

struct ScriptedInterface {
    std::u16string path;
    std::optional<HidAttributes> attributes;  // nothing: the attributes cannot be read
    std::optional<HidCaps> caps;              // nothing: no preparsed data
    bool detailFails = false;
    bool probeFails = false;        // cannot even be opened with access 0
    std::uint32_t openError = 0;    // non-zero: opening it as a channel fails so
    std::u16string deviceKey = {};  // the physical device; empty: the system cannot say
};

inline ScriptedInterface mouseCollection(std::u16string path, std::uint16_t usage,
                                         std::uint16_t featureLength) {
    return {std::move(path), HidAttributes{kMouseVendorId, kMouseProductId},
            HidCaps{1, usage, featureLength}};
}
inline ScriptedInterface mouseData(std::u16string path = u"mouse-data") {
    return mouseCollection(std::move(path), 2, 65);
}
inline ScriptedInterface mouseCommand(std::u16string path = u"mouse-command") {
    return mouseCollection(std::move(path), 6, 8);
}
// The same collection, of the physical device `key`.
inline ScriptedInterface of(std::u16string key, ScriptedInterface i) {
    i.deviceKey = std::move(key);
    return i;
}
inline ScriptedInterface foreignDevice(std::u16string path = u"foreign") {
    return {std::move(path), HidAttributes{0x046D, 0xC077}, HidCaps{1, 2, 0}};
}

// Every handle the program gets is numbered; `events` tells in what order they
// were opened and closed ("open command #3", "close probe #2", ...).
class ScriptedHid final : public HidSystem {
  public:
    std::vector<ScriptedInterface> interfaces;
    bool setInvalid = false;
    std::vector<std::string> events;
    std::vector<std::u16string> channelPaths;  // each path opened as a channel, in order
    int listsTaken = 0;

    int openCount(const std::string& kind) const { return count("open " + kind); }
    int closeCount(const std::string& kind) const { return count("close " + kind); }
    int stillOpen(const std::string& kind) const { return openCount(kind) - closeCount(kind); }

    std::unique_ptr<HidInterfaceList> presentInterfaces() override;
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override;
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override;

  private:
    int count(const std::string& prefix) const;
    const ScriptedInterface* find(const std::u16string& path) const;
    std::string opened(const std::string& kind);
    int nextHandle_ = 1;
};

}  // namespace trv::testing
