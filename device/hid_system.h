#pragma once
// What discovery and the transfer protocol need from the operating system's HID
// stack, cut along the calls they make, so that the rules above it run and are
// tested without Windows. Closing is destruction: dropping a channel, probe or
// interface list releases what it holds.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace trv {

// The mouse's identity on the bus.
inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA0D6;

// An open collection that exchanges feature reports. Each call hands over the
// whole buffer; byte 0 is the report ID (set before a get). False = failed.
class FeatureChannel {
  public:
    virtual ~FeatureChannel() = default;
    virtual bool setFeature(std::span<const std::uint8_t> report) = 0;
    virtual bool getFeature(std::span<std::uint8_t> report) = 0;
    // The system's error number of the last failed call on this channel, kept
    // per channel as hid.dll callers keep it per device; 0 when unknown.
    virtual std::uint32_t lastError() const { return 0; }
};

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

struct HidCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportByteLength = 0;
};

// An interface opened without access rights, only to ask what it is.
class HidProbe {
  public:
    virtual ~HidProbe() = default;
    virtual std::optional<HidAttributes> attributes() = 0;
    // The collection's capabilities from its preparsed data (released again
    // before returning); nothing when either cannot be had.
    virtual std::optional<HidCaps> capabilities() = 0;
};

// The HID interfaces present when the list was taken, in enumeration order.
class HidInterfaceList {
  public:
    virtual ~HidInterfaceList() = default;
    // False when the list has no member at this index: the enumeration ends.
    virtual bool hasMember(std::uint32_t index) = 0;
    // The member's device path; nothing when its detail cannot be fetched.
    virtual std::optional<std::u16string> devicePath(std::uint32_t index) = 0;
    // The physical device the member belongs to: the instance ID of the USB
    // device above its collection (past the interface node of a composite
    // device), which every collection of one mouse shares and two mice never
    // do. Empty when the system cannot say; Wine, for one, keeps no device tree.
    virtual std::u16string deviceKey(std::uint32_t index) = 0;
};

// The two collections differ in how they are opened.
enum class ChannelKind : std::uint8_t { Command, Data };

struct ChannelOpening {
    std::unique_ptr<FeatureChannel> channel;  // empty when the open failed
    std::uint32_t errorCode = 0;              // the system's error number then
};

class HidSystem {
  public:
    virtual ~HidSystem() = default;
    // Nothing when the set of present interfaces cannot be had.
    virtual std::unique_ptr<HidInterfaceList> presentInterfaces() = 0;
    virtual std::unique_ptr<HidProbe> openProbe(const std::u16string& path) = 0;
    virtual ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) = 0;
};

}  // namespace trv
