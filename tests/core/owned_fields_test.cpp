#include "settings/owned_fields.h"

#include <gtest/gtest.h>

#include <set>

namespace trv {
namespace {

ConfigBlock readFromMouse() {
    ConfigBlock b;
    for (std::size_t i = 0; i < b.image.size(); ++i) {
        b.image[i] = static_cast<std::uint8_t>(0x9D ^ (i * 13));
    }
    b.header = {0x08, 0xA7};
    return b;
}

// Every button of Mode A on Single Key with usage 0x10 + n, Mode B with 0x20 + n,
// so each pair shows where it landed.
SettingsRecord numberedButtons() {
    SettingsRecord r;
    for (std::size_t n = 1; n <= 8; ++n) {
        r.button(rec::kAssignType, Mode::A, n) = 10;
        r.button(rec::kSingleKeyUsage, Mode::A, n) = static_cast<std::uint8_t>(0x10 + n);
        r.button(rec::kAssignType, Mode::B, n) = 10;
        r.button(rec::kSingleKeyUsage, Mode::B, n) = static_cast<std::uint8_t>(0x20 + n);
    }
    return r;
}

std::set<std::size_t> ownedImageBytes() {
    std::set<std::size_t> owned{198, 202, 203, 204, 206, 207, 215};
    for (std::size_t i = 128; i < 144; ++i) owned.insert(i);
    for (std::size_t i = 160; i < 176; ++i) owned.insert(i);
    for (std::size_t i = 216; i < 220; ++i) owned.insert(i);
    for (std::size_t i = 280; i < 304; ++i) owned.insert(i);
    return owned;
}

TEST(OwnedFields, ModeAPairsInButtonOrderModeBWithButtons4And5Exchanged) {
    SettingsRecord r = numberedButtons();
    ConfigBlock b = readFromMouse();
    rebuildOwnedFields(r, 0, b);
    const std::uint8_t modeB[] = {0x21, 0x22, 0x23, 0x25, 0x24, 0x26, 0x27, 0x28};
    for (std::size_t slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(b.image[128 + 2 * (slot - 1)], 0x10 + slot);
        EXPECT_EQ(b.image[129 + 2 * (slot - 1)], 0x00);
        EXPECT_EQ(b.image[160 + 2 * (slot - 1)], modeB[slot - 1]);
        EXPECT_EQ(b.image[161 + 2 * (slot - 1)], 0x00);
    }
    EXPECT_EQ(b.image[168], 0x24);  // Mode B's button 4
    EXPECT_EQ(b.image[166], 0x25);  // Mode B's button 5
}

TEST(OwnedFields, SnipeDpiFollowsTheModeShown) {
    struct Row {
        std::uint8_t modeShown;
        std::uint8_t sensor;
        std::uint8_t code;
    };
    const Row rows[] = {
        {0, 0, 0x02},                // Mode A's level 1 in table 0
        {1, 0, 0x25},                // Mode B's level 7
        {1, 1, 0x2A}, {5, 1, 0x2A},  // any non-zero value shows Mode B
        {0, 2, 0x00},                // no table
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.modeShown) << "/" << int(row.sensor));
        SettingsRecord r;
        r[rec::kModeShown] = row.modeShown;
        r[rec::kSnipeLevel] = 1;
        r[rec::kSnipeLevel + 1] = 7;
        r[rec::kSnipeDpiCode] = 0xEE;
        ConfigBlock b = readFromMouse();
        rebuildOwnedFields(r, row.sensor, b);
        EXPECT_EQ(b.image[215], row.code);
        EXPECT_EQ(r[rec::kSnipeDpiCode], row.code);
    }
}

TEST(OwnedFields, HeaderLightingStagesAndFireTiming) {
    SettingsRecord r = numberedButtons();
    r[rec::kReportRateCode] = 2;
    r[rec::kLightMode] = 2;
    r[rec::kRespirationSpeed] = 4;
    r[rec::kRespirationEffect] = 2;
    r[rec::kFireMakeTime] = 5;
    r[rec::kFireBreakTime] = 255;
    const std::uint8_t enabled[] = {1, 0, 1, 0};
    for (std::size_t s = 0; s < 4; ++s) {
        r[rec::kStageEnabled + s] = enabled[s];
        r[rec::kStageLevel + s] = static_cast<std::uint8_t>(7 - s);
        r[rec::kStageColour + 3 * s] = static_cast<std::uint8_t>(0xA0 + s);
        r[rec::kStageColour + 3 * s + 1] = static_cast<std::uint8_t>(0xB0 + s);
        r[rec::kStageColour + 3 * s + 2] = static_cast<std::uint8_t>(0xC0 + s);
    }
    ConfigBlock b = readFromMouse();
    rebuildOwnedFields(r, 0, b);

    EXPECT_EQ(b.header[0], 2);
    EXPECT_EQ(b.header[1], 0xA7);
    EXPECT_EQ(b.image[202], 2);
    EXPECT_EQ(b.image[203], 4);
    EXPECT_EQ(b.image[204], 3);
    EXPECT_EQ(b.image[206], 5);
    EXPECT_EQ(b.image[207], 255);
    EXPECT_EQ(b.image[198], 2);
    const std::uint8_t codes[] = {0x25, 0xA4, 0x23, 0x85};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(b.image[216 + k], codes[k]) << k;
    const std::uint8_t colours[] = {0xA0, 0xB0, 0xC0, 0xA2, 0xB2, 0xC2};
    for (std::size_t i = 0; i < 24; ++i) {
        EXPECT_EQ(b.image[280 + i], i < 6 ? colours[i] : 0) << 280 + i;
    }
}

TEST(OwnedFields, ReportRateCodeGoesOutUnchangedEvenWhenNoKnobShowsIt) {
    for (unsigned code : {8u, 4u, 2u, 1u, 0u, 3u, 255u}) {
        SettingsRecord r;
        r[rec::kReportRateCode] = static_cast<std::uint8_t>(code);
        ConfigBlock b = readFromMouse();
        rebuildOwnedFields(r, 0, b);
        EXPECT_EQ(b.header[0], code);
        EXPECT_EQ(b.header[1], 0xA7);
    }
}

TEST(OwnedFields, NothingOutsideTheOwnedFieldsMoves) {
    // Whatever the record holds, including values no control can produce.
    for (unsigned seed : {0u, 1u, 0x5Au, 0xFFu}) {
        SettingsRecord r;
        for (std::size_t i = 0; i < rec::kSize; ++i) {
            r[i] = static_cast<std::uint8_t>(seed * 31 + i * 17);
        }
        for (std::uint8_t sensor : {0, 1, 2, 255}) {
            ConfigBlock b = readFromMouse();
            const ConfigBlock before = b;
            SettingsRecord working = r;
            rebuildOwnedFields(working, sensor, b);
            const auto owned = ownedImageBytes();
            for (std::size_t i = 0; i < b.image.size(); ++i) {
                if (!owned.count(i)) {
                    EXPECT_EQ(b.image[i], before.image[i]) << "image byte " << i;
                }
            }
            EXPECT_EQ(b.header[1], before.header[1]);
            for (std::size_t i = 0; i < rec::kSize; ++i) {
                if (i != rec::kSnipeDpiCode) {
                    EXPECT_EQ(working[i], r[i]) << "record byte " << i;
                }
            }
        }
    }
}

}  // namespace
}  // namespace trv
