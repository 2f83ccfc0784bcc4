#include "perf/lighting.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

using Items = std::vector<std::u16string>;
constexpr Language kEn = Language::English;

TEST(LightingTexts, EveryIndexOfEveryTableAndEmptyBeyond) {
    const Items modes = {u"Off Mode", u"Standard Mode", u"Respiration Mode", u"Neon Mode"};
    const Items brightness = {u"5%",  u"15%", u"25%", u"35%", u"45%",
                              u"55%", u"65%", u"75%", u"85%", u"100%"};
    const Items respiration = {u"8S", u"7S", u"6S", u"5S", u"4S"};
    const Items effects = {u"Non-Disolay", u"RGB Effect", u"RGB Flash", u"RGB Fixed On"};
    const Items neon = {u"0.5S",  u"1S",  u"1.5S",  u"2S",  u"2.5S",  u"3S",  u"3.5S",  u"4S",
                        u"4.5S",  u"5S",  u"5.5S",  u"6S",  u"6.5S",  u"7S",  u"7.5S",  u"8S",
                        u"8.5S",  u"9S",  u"9.5S",  u"10S", u"10.5S", u"11S", u"11.5S", u"12S",
                        u"12.5S", u"13S", u"13.5S", u"14S", u"14.5S", u"15S"};
    for (unsigned i = 0; i < 256; ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(lightModeText(kEn, index), i < modes.size() ? modes[i] : u"");
        EXPECT_EQ(brightnessText(index), i < brightness.size() ? brightness[i] : u"");
        EXPECT_EQ(respirationText(index), i < respiration.size() ? respiration[i] : u"");
        EXPECT_EQ(effectText(kEn, index), i < effects.size() ? effects[i] : u"");
        EXPECT_EQ(neonText(index), i < neon.size() ? neon[i] : u"");
    }
}

TEST(LightingLists, ItemsOfEachBoxInEveryMode) {
    struct Row {
        std::uint8_t mode;
        Items parameter;
        Items effect;
    };
    const Row rows[] = {
        {0, {}, {}},
        {1, {u"5%", u"15%", u"25%", u"35%", u"45%", u"55%", u"65%", u"75%", u"85%", u"100%"}, {}},
        {2, {u"8S", u"7S", u"6S", u"5S", u"4S"}, {u"RGB Effect", u"RGB Flash"}},
        {3, {}, {}},
        {9, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.mode));
        EXPECT_EQ(modeListItems(kEn), (Items{u"Off Mode", u"Standard Mode", u"Respiration Mode"}));
        EXPECT_EQ(parameterListItems(row.mode), row.parameter);
        EXPECT_EQ(effectListItems(kEn, row.mode), row.effect);
    }
}

TEST(LightingLists, EffectBoxInStandardModeShowsRgbEffectWithoutAList) {
    for (std::uint8_t mode : {0, 1, 2, 3}) {
        LightingTexts texts{u"m", u"p", u"e"};
        clickEffectBoxWithoutList(texts, mode, kEn);
        EXPECT_EQ(texts, (LightingTexts{u"m", u"p", mode == 1 ? u"RGB Effect" : u"e"}))
            << int(mode);
    }
}

SettingsRecord lightRecord(std::uint8_t mode) {
    SettingsRecord r;
    r[rec::kLightMode] = mode;
    r[rec::kLightBrightness] = 9;
    r[rec::kRespirationSpeed] = 3;
    r[rec::kNeonPeriod] = 6;
    r[rec::kStandardEffect] = 0;
    r[rec::kRespirationEffect] = 2;
    r[rec::kNeonEffect] = 3;
    return r;
}

TEST(LightingTexts, PageBuildShowsTheStoredSettingsOfTheMode) {
    struct Row {
        std::uint8_t mode;
        LightingTexts shown;
    };
    const Row rows[] = {
        {0, {u"Off Mode", u"", u""}},
        {1, {u"Standard Mode", u"100%", u"Non-Disolay"}},
        {2, {u"Respiration Mode", u"5S", u"RGB Flash"}},
        {3, {u"Neon Mode", u"3.5S", u"RGB Fixed On"}},
        {4, {u"", u"old parameter", u"old effect"}},  // unknown mode keeps the two boxes
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.mode));
        LightingTexts texts{u"old mode", u"old parameter", u"old effect"};
        refreshLightingTexts(texts, lightRecord(row.mode), kEn);
        EXPECT_EQ(texts, row.shown);
    }
}

TEST(LightingChoices, ChoosingAModeSetsItAndTheTextsOfItsBoxes) {
    struct Row {
        int selection;
        LightingTexts shown;
        std::uint8_t mode;
        std::uint8_t respirationEffect;
    };
    const Row rows[] = {
        {0, {u"Off Mode", u"", u""}, 0, 2},
        {1, {u"Standard Mode", u"100%", u"RGB Effect"}, 1, 2},
        // The box shows "RGB Effect", so that is the effect the mouse gets.
        {2, {u"Respiration Mode", u"5S", u"RGB Effect"}, 2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.selection);
        SettingsRecord r = lightRecord(3);
        LightingTexts texts{u"Neon Mode", u"3.5S", u"RGB Fixed On"};
        EXPECT_TRUE(chooseLightMode(r, texts, kEn, row.selection));
        EXPECT_EQ(texts, row.shown);
        EXPECT_EQ(r[rec::kLightMode], row.mode);
        EXPECT_EQ(r[rec::kRespirationEffect], row.respirationEffect);
        EXPECT_EQ(r[rec::kLightBrightness], 9);
        EXPECT_EQ(r[rec::kRespirationSpeed], 3);
    }
}

TEST(LightingChoices, NoSelectionChangesNothingAndKeepsTheListOpen) {
    for (int selection : {-1, 3, 100}) {
        SettingsRecord r = lightRecord(2);
        const SettingsRecord before = r;
        LightingTexts texts{u"a", u"b", u"c"};
        EXPECT_FALSE(chooseLightMode(r, texts, kEn, selection));
        EXPECT_FALSE(chooseLightParameter(r, texts, selection == 3 ? 5 : selection));
        EXPECT_FALSE(chooseLightEffect(r, texts, kEn, selection == 3 ? 2 : selection));
        EXPECT_EQ(r, before);
        EXPECT_EQ(texts, (LightingTexts{u"a", u"b", u"c"}));
    }
}

TEST(LightingChoices, ParameterGoesToTheFieldOfTheMode) {
    SettingsRecord r = lightRecord(1);
    LightingTexts texts;
    EXPECT_TRUE(chooseLightParameter(r, texts, 4));
    EXPECT_EQ(texts.parameter, u"45%");
    EXPECT_EQ(r[rec::kLightBrightness], 4);
    EXPECT_EQ(r[rec::kRespirationSpeed], 3);

    r = lightRecord(2);
    EXPECT_TRUE(chooseLightParameter(r, texts, 0));
    EXPECT_EQ(texts.parameter, u"8S");
    EXPECT_EQ(r[rec::kRespirationSpeed], 0);
    EXPECT_EQ(r[rec::kLightBrightness], 9);

    for (std::uint8_t mode : {0, 3}) {  // no list in these modes
        r = lightRecord(mode);
        EXPECT_FALSE(chooseLightParameter(r, texts, 0));
        EXPECT_EQ(r, lightRecord(mode));
    }
}

TEST(LightingChoices, RespirationEffectIsStoredAsItemPlusOne) {
    SettingsRecord r = lightRecord(2);
    LightingTexts texts;
    EXPECT_TRUE(chooseLightEffect(r, texts, kEn, 0));
    EXPECT_EQ(texts.effect, u"RGB Effect");
    EXPECT_EQ(r[rec::kRespirationEffect], 1);
    EXPECT_TRUE(chooseLightEffect(r, texts, kEn, 1));
    EXPECT_EQ(texts.effect, u"RGB Flash");
    EXPECT_EQ(r[rec::kRespirationEffect], 2);
}

TEST(LightingBlock, ApplyWritesModeAndOnlyTheParameterBytesTheModeDefines) {
    struct Row {
        std::uint8_t mode;
        std::uint8_t respirationEffect;
        std::array<std::uint8_t, 3> bytes;  // image 202, 203, 204
    };
    // The mouse last reported 203 = 0x77 and 204 = 0x66.
    const Row rows[] = {
        {0, 1, {0, 0x77, 0x66}}, {1, 0, {1, 9, 2}},       {1, 2, {1, 9, 2}},
        {2, 1, {2, 3, 2}},       {2, 2, {2, 3, 3}},       {2, 0, {2, 0x77, 0x66}},
        {2, 3, {2, 0x77, 0x66}}, {3, 1, {3, 0x77, 0x66}}, {7, 1, {7, 0x77, 0x66}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.mode) << "/" << int(row.respirationEffect));
        SettingsRecord r = lightRecord(row.mode);
        r[rec::kRespirationEffect] = row.respirationEffect;
        ConfigBlock b;
        b.image.fill(0x55);
        b.image[203] = 0x77;
        b.image[204] = 0x66;
        encodeLighting(r, b);
        EXPECT_EQ(b.image[202], row.bytes[0]);
        EXPECT_EQ(b.image[203], row.bytes[1]);
        EXPECT_EQ(b.image[204], row.bytes[2]);
        EXPECT_EQ(b.image[201], 0x55);
        EXPECT_EQ(b.image[205], 0x55);
    }
}

}  // namespace
}  // namespace trv
