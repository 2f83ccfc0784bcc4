#include "perf/dpi.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(DpiLevels, BothSensorTablesGiveLabelAndCodeOfEveryLevel) {
    struct Row {
        std::u16string_view label0;
        std::uint8_t code0;
        std::u16string_view label1;
        std::uint8_t code1;
    };
    const Row rows[kDpiLevelCount] = {
        {u"600", 0x01, u"250", 0x02},   {u"800", 0x02, u"500", 0x04},
        {u"1000", 0x03, u"750", 0x06},  {u"1200", 0x04, u"1000", 0x08},
        {u"1600", 0x05, u"1250", 0x0A}, {u"2000", 0x23, u"1500", 0x26},
        {u"2400", 0x24, u"2000", 0x28}, {u"3200", 0x25, u"2500", 0x2A},
    };
    for (std::size_t level = 0; level < kDpiLevelCount; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(dpiLevelLabel(0, level), rows[level].label0);
        EXPECT_EQ(dpiLevelCode(0, level), rows[level].code0);
        EXPECT_EQ(dpiLevelLabel(1, level), rows[level].label1);
        EXPECT_EQ(dpiLevelCode(1, level), rows[level].code1);
    }
}

TEST(DpiLevels, UnknownSensorOrLevelGivesNoLabelAndCodeZero) {
    const std::pair<std::uint8_t, std::size_t> cases[] = {
        {2, 0}, {2, 7}, {0xFF, 3}, {0, 8}, {1, 8}, {0, 255},
    };
    for (auto [sensor, level] : cases) {
        EXPECT_TRUE(dpiLevelLabel(sensor, level).empty()) << int(sensor) << "/" << level;
        EXPECT_EQ(dpiLevelCode(sensor, level), 0) << int(sensor) << "/" << level;
    }
    EXPECT_EQ(dpiLevelTable(2), nullptr);
}

SettingsRecord withTicks(std::uint8_t s1, std::uint8_t s2, std::uint8_t s3, std::uint8_t s4) {
    SettingsRecord r;
    r[rec::kStageEnabled + 0] = s1;
    r[rec::kStageEnabled + 1] = s2;
    r[rec::kStageEnabled + 2] = s3;
    r[rec::kStageEnabled + 3] = s4;
    return r;
}

TEST(DpiStages, SegmentSetsTheLevelTickedOrNot) {
    SettingsRecord r = withTicks(1, 0, 1, 1);
    EXPECT_TRUE(setStageLevel(r, 1, 1));
    EXPECT_EQ(stageLevel(r, 1), 0);
    EXPECT_TRUE(setStageLevel(r, 2, 8));  // stage 2 is not ticked
    EXPECT_EQ(stageLevel(r, 2), 7);
    EXPECT_EQ(r[rec::kStageLevel + 1], 7);

    const SettingsRecord before = r;
    for (auto [stage, segment] :
         {std::pair<std::size_t, std::size_t>{0, 1}, {5, 1}, {1, 0}, {1, 9}}) {
        EXPECT_FALSE(setStageLevel(r, stage, segment)) << stage << "/" << segment;
    }
    EXPECT_EQ(r, before);
}

TEST(DpiStages, TickBoxKeepsAtLeastOneStageTicked) {
    struct Row {
        std::array<std::uint8_t, 4> before;
        std::size_t clicked;
        TickChange change;
        std::array<std::uint8_t, 4> after;
    };
    const Row rows[] = {
        {{1, 0, 0, 0}, 1, TickChange::None, {1, 0, 0, 0}},  // the only ticked stage
        {{0, 0, 0, 1}, 4, TickChange::None, {0, 0, 0, 1}},
        {{1, 0, 0, 0}, 2, TickChange::Ticked, {1, 1, 0, 0}},
        {{1, 1, 0, 0}, 1, TickChange::Unticked, {0, 1, 0, 0}},
        {{1, 1, 1, 1}, 3, TickChange::Unticked, {1, 1, 0, 1}},
        {{1, 2, 0, 0}, 1, TickChange::None, {1, 2, 0, 0}},  // 2 is not a tick
        {{1, 2, 0, 0}, 2, TickChange::Ticked, {1, 1, 0, 0}},
        {{0, 0, 0, 0}, 3, TickChange::Ticked, {0, 0, 1, 0}},
        {{1, 1, 1, 1}, 0, TickChange::None, {1, 1, 1, 1}},  // outside the page
        {{1, 1, 1, 1}, 5, TickChange::None, {1, 1, 1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "stage " << row.clicked);
        SettingsRecord r = withTicks(row.before[0], row.before[1], row.before[2], row.before[3]);
        r[rec::kStageLevel + 2] = 6;
        SettingsRecord expected = withTicks(row.after[0], row.after[1], row.after[2], row.after[3]);
        expected[rec::kStageLevel + 2] = 6;
        EXPECT_EQ(toggleStageTick(r, row.clicked), row.change);
        EXPECT_EQ(r, expected);
    }
}

TEST(DpiStages, OnlyATickedStageTakesAColour) {
    SettingsRecord r = withTicks(1, 0, 2, 1);
    EXPECT_TRUE(mayChooseStageColour(r, 1));
    EXPECT_FALSE(mayChooseStageColour(r, 2));
    EXPECT_FALSE(mayChooseStageColour(r, 3));
    EXPECT_TRUE(mayChooseStageColour(r, 4));
    EXPECT_FALSE(mayChooseStageColour(r, 5));

    setStageColour(r, 4, {0x12, 0x34, 0x56});
    EXPECT_EQ(r[24], 0x12);
    EXPECT_EQ(r[25], 0x34);
    EXPECT_EQ(r[26], 0x56);
    EXPECT_EQ(stageColour(r, 4), (Rgb{0x12, 0x34, 0x56}));
}

ConfigBlock patterned() {
    ConfigBlock b;
    for (std::size_t i = 0; i < b.image.size(); ++i) b.image[i] = static_cast<std::uint8_t>(i * 7);
    b.header = {0x33, 0x44};
    return b;
}

SettingsRecord stagesRecord(std::array<std::uint8_t, 4> enabled) {
    SettingsRecord r = withTicks(enabled[0], enabled[1], enabled[2], enabled[3]);
    const std::uint8_t levels[] = {0, 7, 4, 5};
    for (std::size_t s = 1; s <= 4; ++s) {
        r[rec::kStageLevel + s - 1] = levels[s - 1];
        setStageColour(r, s,
                       {static_cast<std::uint8_t>(0x10 * s), static_cast<std::uint8_t>(0x11 * s),
                        static_cast<std::uint8_t>(0x12 * s)});
    }
    return r;
}

TEST(DpiStages, BlockCarriesCodesCountAndPackedColours) {
    struct Row {
        std::array<std::uint8_t, 4> enabled;
        std::uint8_t sensor;
        std::array<std::uint8_t, 4> codes;
        std::uint8_t count;
        std::vector<std::uint8_t> colours;  // 280.., the rest of the 24 bytes zero
    };
    const Row rows[] = {
        {{1, 1, 1, 1},
         0,
         {0x01, 0x25, 0x05, 0x23},
         4,
         {0x10, 0x11, 0x12, 0x20, 0x22, 0x24, 0x30, 0x33, 0x36, 0x40, 0x44, 0x48}},
        {{1, 0, 1, 0}, 0, {0x01, 0xA5, 0x05, 0xA3}, 2, {0x10, 0x11, 0x12, 0x30, 0x33, 0x36}},
        {{0, 0, 0, 0}, 1, {0x82, 0xAA, 0x8A, 0xA6}, 0, {}},
        // A damaged byte 2 is a stage without its tick, in code, count and colours alike.
        {{2, 1, 2, 0}, 1, {0x82, 0x2A, 0x8A, 0xA6}, 1, {0x20, 0x22, 0x24}},
        {{1, 0, 1, 1},
         2,
         {0x00, 0x80, 0x00, 0x00},
         3,
         {0x10, 0x11, 0x12, 0x30, 0x33, 0x36, 0x40, 0x44, 0x48}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "sensor " << int(row.sensor) << " ticks " << int(row.enabled[0])
                     << int(row.enabled[1]) << int(row.enabled[2]) << int(row.enabled[3]));
        ConfigBlock b = patterned();
        const ConfigBlock before = b;
        encodeStages(stagesRecord(row.enabled), row.sensor, b);
        for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(b.image[216 + k], row.codes[k]) << k;
        EXPECT_EQ(b.image[198], row.count);
        for (std::size_t i = 0; i < 24; ++i) {
            const std::uint8_t want = i < row.colours.size() ? row.colours[i] : 0;
            EXPECT_EQ(b.image[280 + i], want) << "colour byte " << 280 + i;
        }
        for (std::size_t i = 0; i < b.image.size(); ++i) {
            const bool owned = i == 198 || (i >= 216 && i < 220) || (i >= 280 && i < 304);
            if (!owned) {
                EXPECT_EQ(b.image[i], before.image[i]) << i;
            }
        }
        EXPECT_EQ(b.header, before.header);
    }
}

}  // namespace
}  // namespace trv
