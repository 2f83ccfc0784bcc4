#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/dialog_labels.h"
#include "lang/fonts_win.h"

namespace trv::win {
namespace {

LOGFONTW described(const Font& font) {
    LOGFONTW logFont{};
    EXPECT_EQ(::GetObjectW(font.get(), sizeof logFont, &logFont), int{sizeof logFont});
    return logFont;
}

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese,
                                   Language::TraditionalChinese, Language::Bulgarian};
// Windows 7, 8, 8.1 and 10 or 11: each row of the font table.
constexpr WindowsVersion kVersions[] = {{6, 1}, {6, 2}, {6, 3}, {10, 0}};

// Every text the language's fonts draw: the main window's table and the dialogs' labels.
std::vector<std::u16string_view> textsOf(Language language) {
    std::vector<std::u16string_view> texts;
    for (int id = 0; id < static_cast<int>(TextId::Count); ++id) {
        texts.push_back(text(language, static_cast<TextId>(id)));
    }
    for (DialogLabelSet set :
         {DialogLabelSet::FireKey, DialogLabelSet::HotKey, DialogLabelSet::Multimedia,
          DialogLabelSet::SingleKey, DialogLabelSet::SnipeKey, DialogLabelSet::WindowsFunctions}) {
        for (std::u16string_view label : dialogLabels(set, language)) texts.push_back(label);
    }
    return texts;
}

TEST(LanguageFontsWin, GdiFontCarriesFaceSizeWeightCharsetAndFixedParameters) {
    const FontSpec specs[] = {
        fontsFor(Language::SimplifiedChinese, {6, 2}).title,
        fontsFor(Language::SimplifiedChinese, {6, 1}).body,
        fontsFor(Language::TraditionalChinese, {6, 1}).dialog,
        fontsFor(Language::TraditionalChinese, {10, 0}).body,
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
        EXPECT_EQ(f.lfCharSet, spec.charset);
        EXPECT_EQ(f.lfWidth, 0);
        EXPECT_EQ(f.lfEscapement, 0);
        EXPECT_EQ(f.lfOrientation, 0);
        EXPECT_EQ(f.lfItalic, 0);
        EXPECT_EQ(f.lfUnderline, 0);
        EXPECT_EQ(f.lfStrikeOut, 0);
        EXPECT_EQ(f.lfOutPrecision, OUT_DEFAULT_PRECIS);
        EXPECT_EQ(f.lfClipPrecision, CLIP_DEFAULT_PRECIS);
        EXPECT_EQ(f.lfQuality, DEFAULT_QUALITY);
        EXPECT_EQ(f.lfPitchAndFamily, DEFAULT_PITCH | FF_SWISS);
    }
}

// In the test prefix the Chinese faces are substitutes (scripts/wine-session.sh):
// a face or character set the substitutes do not reach draws boxes here, as a
// face missing from an install would on Windows.
TEST(LanguageFontsWin, EveryTextOfEveryLanguageHasGlyphsInTheFaceChosenForIt) {
    const MemoryDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    for (Language language : kLanguages) {
        const std::vector<std::u16string_view> texts = textsOf(language);
        for (WindowsVersion windows : kVersions) {
            const LanguageFonts fonts = fontsFor(language, windows);
            for (const FontSpec& spec : {fonts.body, fonts.title, fonts.dialog, fonts.compact}) {
                const Font font = makeFont(spec);
                ASSERT_TRUE(font);
                const SelectObjectScope selected(dc.get(), font.get());
                wchar_t face[LF_FACESIZE] = {};
                ::GetTextFaceW(dc.get(), LF_FACESIZE, face);
                for (std::u16string_view t : texts) {
                    const std::wstring wide(t.begin(), t.end());
                    std::vector<WORD> glyphs(wide.size());
                    ASSERT_EQ(
                        ::GetGlyphIndicesW(dc.get(), wide.c_str(), static_cast<int>(wide.size()),
                                           glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
                        static_cast<DWORD>(wide.size()));
                    for (std::size_t i = 0; i < glyphs.size(); ++i) {
                        EXPECT_NE(glyphs[i], 0xFFFF)
                            << "U+" << std::hex << static_cast<unsigned>(wide[i]) << " of language "
                            << static_cast<int>(language) << " has no glyph in "
                            << std::wstring(spec.face.begin(), spec.face.end()) << " (drawn by "
                            << face << ") on Windows " << std::dec << windows.major << "."
                            << windows.minor;
                    }
                }
            }
        }
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
