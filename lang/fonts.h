#pragma once
// The fonts of each interface language: the main window's body and title
// fonts and the assignment dialogs' font. The Chinese faces come in their own
// sizes, and Simplified Chinese takes another face on Windows 6.2 (Windows 8).

#include <cstdint>
#include <string_view>

#include "lang/text_table.h"

namespace trv {

// What CreateFontW is given. Only face, height and weight vary; the rest is
// the same for every font the program makes.
struct FontSpec {
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;

    static constexpr int kWidth = 0;  // the face's own aspect
    static constexpr int kEscapement = 0;
    static constexpr int kOrientation = 0;
    static constexpr bool kItalic = false;
    static constexpr bool kUnderline = false;
    static constexpr bool kStrikeOut = false;
    static constexpr std::uint8_t kCharset = 0;            // ANSI_CHARSET
    static constexpr std::uint8_t kOutPrecision = 0;       // OUT_DEFAULT_PRECIS
    static constexpr std::uint8_t kClipPrecision = 0;      // CLIP_DEFAULT_PRECIS
    static constexpr std::uint8_t kQuality = 0;            // DEFAULT_QUALITY
    static constexpr std::uint8_t kPitchAndFamily = 0x20;  // FF_SWISS, default pitch

    std::u16string_view face;
    int height = 0;  // cell height in logical units, positive
    int weight = kNormalWeight;

    bool operator==(const FontSpec&) const = default;
};

// Major and minor version as GetVersion reports them.
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    bool operator==(const WindowsVersion&) const = default;
};

struct LanguageFonts {
    FontSpec body;    // main window texts
    FontSpec title;   // main window section titles
    FontSpec dialog;  // the assignment dialogs
    bool operator==(const LanguageFonts&) const = default;
};

LanguageFonts fontsFor(Language language, WindowsVersion windows);

}  // namespace trv
