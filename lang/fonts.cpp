#include "lang/fonts.h"

#include <array>

namespace trv {

namespace {

// Up to Windows 8.1 every install carries the fonts of every language. From
// Windows 10 on, SimHei is part of the optional "Chinese (Simplified)
// Supplemental Fonts", which English and Traditional Chinese installs lack,
// while SimSun, Microsoft JhengHei, Arial and Tahoma stay in every install.
constexpr std::u16string_view kSimHei = u"SimHei";
constexpr std::u16string_view kSimSun = u"SimSun";
constexpr std::u16string_view kJhengHei = u"Microsoft JhengHei";
constexpr std::u16string_view kArial = u"Arial";
constexpr std::u16string_view kTahoma = u"Tahoma";

struct Versions {
    WindowsVersion first;
    WindowsVersion last;
    constexpr bool holds(WindowsVersion v) const { return first <= v && v <= last; }
};
constexpr Versions kWindows8{{6, 2}, {6, 2}};
constexpr Versions kWindows10On{{10, 0}, {255, 255}};
constexpr Versions kEvery{{0, 0}, {255, 255}};

struct FontRow {
    Language language;
    Versions versions;
    LanguageFonts fonts;
};

// Two pixels less still reads at the page's size and gains a seventh of the
// width, enough for most of the phrases that overflow.
constexpr int kCompactBy = 2;

constexpr LanguageFonts fonts(std::u16string_view face, std::u16string_view titleFace,
                              int bodyHeight, std::uint8_t charset) {
    return {FontSpec{face, bodyHeight, FontSpec::kNormalWeight, charset},
            FontSpec{titleFace, 18, FontSpec::kBoldWeight, charset},
            FontSpec{face, bodyHeight, FontSpec::kNormalWeight, charset},
            FontSpec{face, bodyHeight - kCompactBy, FontSpec::kNormalWeight, charset}};
}

// Searched in order; the first row of the language that holds the version wins.
constexpr std::array<FontRow, 6> kFontRows{{
    {Language::SimplifiedChinese, kWindows8, fonts(kSimHei, kSimHei, 13, font_charset::kGb2312)},
    {Language::SimplifiedChinese, kEvery, fonts(kSimSun, kSimSun, 13, font_charset::kGb2312)},
    // Traditional Chinese in SimHei's GB2312 set: its GBK glyphs cover every
    // character of the Traditional texts, and a Big5 request would make GDI
    // pass SimHei over.
    {Language::TraditionalChinese, kWindows10On,
     fonts(kJhengHei, kJhengHei, 14, font_charset::kChineseBig5)},
    {Language::TraditionalChinese, kEvery, fonts(kSimHei, kSimHei, 14, font_charset::kGb2312)},
    {Language::English, kEvery, fonts(kArial, kTahoma, 14, font_charset::kAnsi)},
    {Language::Bulgarian, kEvery, fonts(kArial, kTahoma, 14, font_charset::kRussian)},
}};

constexpr std::size_t kEnglishRow = 4;
static_assert(kFontRows[kEnglishRow].language == Language::English);

}  // namespace

LanguageFonts fontsFor(Language language, WindowsVersion windows) {
    for (const FontRow& row : kFontRows) {
        if (row.language == language && row.versions.holds(windows)) return row.fonts;
    }
    return kFontRows[kEnglishRow].fonts;
}

}  // namespace trv
