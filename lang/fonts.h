#pragma once
// The fonts of each interface language: the main window's body and title
// fonts and the assignment dialogs' font. Every face is one that each install
// of Windows 7 to 11 carries, whatever the install's own language, and is
// named by its English family name, which GDI knows on every install (the
// localized names are known only on a system of that language).

#include <compare>
#include <cstdint>
#include <string_view>

#include "lang/text_table.h"

namespace trv {

// The character sets CreateFontW is given, as wingdi.h numbers them.
namespace font_charset {
inline constexpr std::uint8_t kAnsi = 0;           // ANSI_CHARSET
inline constexpr std::uint8_t kGb2312 = 134;       // GB2312_CHARSET
inline constexpr std::uint8_t kChineseBig5 = 136;  // CHINESEBIG5_CHARSET
inline constexpr std::uint8_t kRussian = 204;      // RUSSIAN_CHARSET (Cyrillic)
}  // namespace font_charset

// What CreateFontW is given. Face, height, weight and character set vary; the
// rest is the same for every font the program makes.
struct FontSpec {
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;

    static constexpr int kWidth = 0;  // the face's own aspect
    static constexpr int kEscapement = 0;
    static constexpr int kOrientation = 0;
    static constexpr bool kItalic = false;
    static constexpr bool kUnderline = false;
    static constexpr bool kStrikeOut = false;
    static constexpr std::uint8_t kOutPrecision = 0;       // OUT_DEFAULT_PRECIS
    static constexpr std::uint8_t kClipPrecision = 0;      // CLIP_DEFAULT_PRECIS
    static constexpr std::uint8_t kQuality = 0;            // DEFAULT_QUALITY
    static constexpr std::uint8_t kPitchAndFamily = 0x20;  // FF_SWISS, default pitch

    std::u16string_view face;
    int height = 0;  // cell height in logical units, positive
    int weight = kNormalWeight;
    // The face's own character set for the language's script: should the face
    // be missing after all, GDI then falls back to a face that has the script,
    // rather than to one without its glyphs.
    std::uint8_t charset = font_charset::kAnsi;

    bool operator==(const FontSpec&) const = default;
};

// Major and minor version as GetVersion reports them.
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    auto operator<=>(const WindowsVersion&) const = default;
};

struct LanguageFonts {
    FontSpec body;    // main window texts
    FontSpec title;   // main window section titles
    FontSpec dialog;  // the assignment dialogs
    // The body face a little smaller, for a page text longer than its place
    // (long Bulgarian phrases in a skin image's fixed width).
    FontSpec compact;
    bool operator==(const LanguageFonts&) const = default;
};

LanguageFonts fontsFor(Language language, WindowsVersion windows);

}  // namespace trv
