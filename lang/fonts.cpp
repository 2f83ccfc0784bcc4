#include "lang/fonts.h"

#include <array>
#include <optional>

namespace trv {

namespace {

constexpr std::u16string_view kHeiTi = u"黑体";
constexpr std::u16string_view kSongTi = u"宋体";
constexpr std::u16string_view kArial = u"Arial";
constexpr std::u16string_view kTahoma = u"Tahoma";

constexpr WindowsVersion kWindows62{6, 2};

struct FontRow {
    Language language;
    std::optional<WindowsVersion> onlyOn;  // none: every version
    LanguageFonts fonts;
};

constexpr FontSpec normal(std::u16string_view face, int height) {
    return FontSpec{face, height, FontSpec::kNormalWeight};
}
constexpr FontSpec bold(std::u16string_view face, int height) {
    return FontSpec{face, height, FontSpec::kBoldWeight};
}

// Searched in order; the first row of the language whose version matches wins.
constexpr std::array<FontRow, 5> kFontRows{{
    {Language::SimplifiedChinese,
     kWindows62,
     {normal(kHeiTi, 13), bold(kHeiTi, 18), normal(kHeiTi, 13)}},
    {Language::SimplifiedChinese,
     std::nullopt,
     {normal(kSongTi, 13), bold(kSongTi, 18), normal(kSongTi, 13)}},
    {Language::TraditionalChinese,
     std::nullopt,
     {normal(kHeiTi, 14), bold(kHeiTi, 18), normal(kHeiTi, 14)}},
    {Language::English, std::nullopt, {normal(kArial, 14), bold(kTahoma, 18), normal(kArial, 14)}},
    {Language::Bulgarian,
     std::nullopt,
     {normal(kArial, 14), bold(kTahoma, 18), normal(kArial, 14)}},
}};

constexpr std::size_t kEnglishRow = 3;
static_assert(kFontRows[kEnglishRow].language == Language::English);

}  // namespace

LanguageFonts fontsFor(Language language, WindowsVersion windows) {
    for (const FontRow& row : kFontRows) {
        if (row.language != language) continue;
        if (row.onlyOn && *row.onlyOn != windows) continue;
        return row.fonts;
    }
    return kFontRows[kEnglishRow].fonts;
}

}  // namespace trv
