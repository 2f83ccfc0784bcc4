#include <gtest/gtest.h>

#include "lang/fonts.h"

namespace trv {
namespace {

constexpr int kNormal = FontSpec::kNormalWeight;
constexpr int kBold = FontSpec::kBoldWeight;

const LanguageFonts kHeiTiSimplified{
    {u"黑体", 13, kNormal}, {u"黑体", 18, kBold}, {u"黑体", 13, kNormal}};
const LanguageFonts kSongTi{{u"宋体", 13, kNormal}, {u"宋体", 18, kBold}, {u"宋体", 13, kNormal}};
const LanguageFonts kHeiTiTraditional{
    {u"黑体", 14, kNormal}, {u"黑体", 18, kBold}, {u"黑体", 14, kNormal}};
const LanguageFonts kLatin{
    {u"Arial", 14, kNormal}, {u"Tahoma", 18, kBold}, {u"Arial", 14, kNormal}};

TEST(LanguageFonts, FacesAndSizesByLanguageAndWindowsVersion) {
    const struct {
        Language language;
        WindowsVersion windows;
        const LanguageFonts& expected;
    } cases[] = {
        {Language::SimplifiedChinese, {6, 2}, kHeiTiSimplified},
        {Language::SimplifiedChinese, {6, 1}, kSongTi},
        {Language::SimplifiedChinese, {6, 3}, kSongTi},
        {Language::SimplifiedChinese, {2, 6}, kSongTi},
        {Language::TraditionalChinese, {6, 1}, kHeiTiTraditional},
        {Language::TraditionalChinese, {6, 2}, kHeiTiTraditional},
        {Language::English, {6, 2}, kLatin},
        {Language::Bulgarian, {6, 1}, kLatin},
        {static_cast<Language>(9), {6, 2}, kLatin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "language " << static_cast<int>(c.language) << " Windows "
                     << c.windows.major << "." << c.windows.minor);
        const LanguageFonts fonts = fontsFor(c.language, c.windows);
        EXPECT_TRUE(fonts.body == c.expected.body);
        EXPECT_TRUE(fonts.title == c.expected.title);
        EXPECT_TRUE(fonts.dialog == c.expected.dialog);
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
