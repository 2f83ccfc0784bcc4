#include <gtest/gtest.h>

#include <algorithm>

#include "lang/fonts.h"

namespace trv {
namespace {

constexpr int kNormal = FontSpec::kNormalWeight;
constexpr int kBold = FontSpec::kBoldWeight;

LanguageFonts family(std::u16string_view body, std::u16string_view title, int bodyHeight,
                     std::uint8_t charset) {
    return {{body, bodyHeight, kNormal, charset},
            {title, 18, kBold, charset},
            {body, bodyHeight, kNormal, charset},
            {body, bodyHeight - 2, kNormal, charset}};
}

const LanguageFonts kSimHeiSimplified = family(u"SimHei", u"SimHei", 13, font_charset::kGb2312);
const LanguageFonts kSimSun = family(u"SimSun", u"SimSun", 13, font_charset::kGb2312);
const LanguageFonts kSimHeiTraditional = family(u"SimHei", u"SimHei", 14, font_charset::kGb2312);
const LanguageFonts kJhengHei =
    family(u"Microsoft JhengHei", u"Microsoft JhengHei", 14, font_charset::kChineseBig5);
const LanguageFonts kEnglish = family(u"Arial", u"Tahoma", 14, font_charset::kAnsi);
const LanguageFonts kBulgarian = family(u"Arial", u"Tahoma", 14, font_charset::kRussian);

TEST(LanguageFonts, FacesSizesAndCharacterSetsByLanguageAndWindowsVersion) {
    const struct {
        Language language;
        WindowsVersion windows;
        const LanguageFonts& expected;
    } cases[] = {
        {Language::SimplifiedChinese, {6, 2}, kSimHeiSimplified},
        {Language::SimplifiedChinese, {6, 1}, kSimSun},
        {Language::SimplifiedChinese, {6, 3}, kSimSun},
        {Language::SimplifiedChinese, {10, 0}, kSimSun},
        {Language::SimplifiedChinese, {2, 6}, kSimSun},
        // SimHei, which no longer comes with every install from Windows 10 on.
        {Language::TraditionalChinese, {6, 1}, kSimHeiTraditional},
        {Language::TraditionalChinese, {6, 3}, kSimHeiTraditional},
        {Language::TraditionalChinese, {10, 0}, kJhengHei},
        {Language::TraditionalChinese, {11, 0}, kJhengHei},
        {Language::English, {6, 2}, kEnglish},
        {Language::Bulgarian, {10, 0}, kBulgarian},
        {static_cast<Language>(9), {6, 2}, kEnglish},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "language " << static_cast<int>(c.language) << " Windows "
                     << c.windows.major << "." << c.windows.minor);
        const LanguageFonts fonts = fontsFor(c.language, c.windows);
        EXPECT_TRUE(fonts.body == c.expected.body);
        EXPECT_TRUE(fonts.title == c.expected.title);
        EXPECT_TRUE(fonts.dialog == c.expected.dialog);
        EXPECT_TRUE(fonts.compact == c.expected.compact);
        // GDI knows a face by its localized name only on a system of that language.
        for (const FontSpec& f : {fonts.body, fonts.title, fonts.dialog}) {
            EXPECT_TRUE(std::all_of(f.face.begin(), f.face.end(),
                                    [](char16_t ch) { return ch >= u' ' && ch < 0x7F; }));
        }
    }
}

TEST(LanguageFonts, MissingStrIniGivesArialAndTahoma) {
    const LanguageFonts fonts = fontsFor(languageFromCode(u""), {6, 1});
    EXPECT_EQ(fonts.body.face, u"Arial");
    EXPECT_EQ(fonts.title.face, u"Tahoma");
    EXPECT_EQ(fonts.dialog.face, u"Arial");
    EXPECT_EQ(fonts.dialog.height, 14);
}

}  // namespace
}  // namespace trv
