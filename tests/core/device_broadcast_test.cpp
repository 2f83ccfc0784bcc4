#include "device/device_broadcast.h"

#include <gtest/gtest.h>

#include <vector>

namespace trv {
namespace {

// A device-interface broadcast as Windows lays it out: size, type, reserved,
// class GUID, then the UTF-16 name; `size` is what the broadcast claims.
std::vector<std::uint8_t> interfaceBroadcast(std::u16string_view name, bool terminated = true) {
    std::vector<std::uint8_t> bytes(28, 0xEE);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(8, 0);
    for (char16_t c : name) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    put32(0, static_cast<std::uint32_t>(bytes.size()));
    put32(4, 5);
    return bytes;
}

TEST(DeviceBroadcast, InterfaceNameEndsAtItsNulOrAtTheBroadcastsOwnSize) {
    const std::vector<std::uint8_t> full = interfaceBroadcast(u"\\\\?\\HID#VID_04D9&PID_A0D6#1");
    std::vector<std::uint8_t> withTrailingJunk = full;
    withTrailingJunk.insert(withTrailingJunk.end(), {'X', 0, 'Y', 0});
    const std::vector<std::uint8_t> unterminated = interfaceBroadcast(u"HID#ab", false);

    struct Row {
        const char* name;
        std::span<const std::uint8_t> bytes;
        std::u16string expected;
    };
    const Row rows[] = {
        {"whole", full, u"\\\\?\\HID#VID_04D9&PID_A0D6#1"},
        {"bytes after the NUL are not the name", withTrailingJunk,
         u"\\\\?\\HID#VID_04D9&PID_A0D6#1"},
        {"no NUL: the size ends it", unterminated, u"HID#ab"},
        {"size cuts into the name", std::span(full).first(28 + 2 * 5), u"\\\\?\\H"},
        {"odd size drops the half character", std::span(full).first(28 + 2 * 3 + 1), u"\\\\?"},
        {"no room for a name", std::span(full).first(28), u""},
        {"header and part of the GUID only", std::span(full).first(20), u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto parsed = parseDeviceBroadcast(row.bytes);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->deviceType, 5u);
        EXPECT_EQ(parsed->interfaceName, row.expected);
    }
}

TEST(DeviceBroadcast, OtherTypesCarryNoNameAndTooShortIsNoBroadcast) {
    std::vector<std::uint8_t> bytes = interfaceBroadcast(u"HID#VID_04D9&PID_A0D6");
    bytes[4] = 3;  // a handle broadcast
    auto parsed = parseDeviceBroadcast(bytes);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->deviceType, 3u);
    EXPECT_TRUE(parsed->interfaceName.empty());

    EXPECT_FALSE(parseDeviceBroadcast(std::span(bytes).first(11)).has_value());
    EXPECT_FALSE(parseDeviceBroadcast({}).has_value());
}

}  // namespace
}  // namespace trv
