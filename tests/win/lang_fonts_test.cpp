#include <gtest/gtest.h>

#include <string>

#include "lang/fonts_win.h"

namespace trv::win {
namespace {

LOGFONTW described(const Font& font) {
    LOGFONTW logFont{};
    EXPECT_EQ(::GetObjectW(font.get(), sizeof logFont, &logFont), int{sizeof logFont});
    return logFont;
}

TEST(LanguageFontsWin, GdiFontCarriesFaceSizeWeightAndFixedParameters) {
    const FontSpec specs[] = {
        fontsFor(Language::SimplifiedChinese, {6, 2}).title,
        fontsFor(Language::SimplifiedChinese, {6, 1}).body,
        fontsFor(Language::TraditionalChinese, {6, 1}).dialog,
        fontsFor(Language::English, {6, 1}).title,
        fontsFor(Language::Bulgarian, {6, 1}).body,
    };
    for (const FontSpec& spec : specs) {
        SCOPED_TRACE(testing::Message() << "height " << spec.height << " weight " << spec.weight);
        const Font font = makeFont(spec);
        ASSERT_TRUE(font);
        const LOGFONTW f = described(font);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(f.lfFaceName)), spec.face);
        EXPECT_EQ(f.lfHeight, spec.height);
        EXPECT_EQ(f.lfWeight, spec.weight);
        EXPECT_EQ(f.lfWidth, 0);
        EXPECT_EQ(f.lfEscapement, 0);
        EXPECT_EQ(f.lfOrientation, 0);
        EXPECT_EQ(f.lfItalic, 0);
        EXPECT_EQ(f.lfUnderline, 0);
        EXPECT_EQ(f.lfStrikeOut, 0);
        EXPECT_EQ(f.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(f.lfOutPrecision, OUT_DEFAULT_PRECIS);
        EXPECT_EQ(f.lfClipPrecision, CLIP_DEFAULT_PRECIS);
        EXPECT_EQ(f.lfQuality, DEFAULT_QUALITY);
        EXPECT_EQ(f.lfPitchAndFamily, DEFAULT_PITCH | FF_SWISS);
    }
}

TEST(LanguageFontsWin, RunningVersionIsWhatGetVersionReports) {
    const DWORD raw = ::GetVersion();
    const WindowsVersion version = runningWindowsVersion();
    EXPECT_EQ(version.major, raw & 0xFFu);
    EXPECT_EQ(version.minor, (raw >> 8) & 0xFFu);
    EXPECT_GE(version.major, 5u);
}

}  // namespace
}  // namespace trv::win
