#pragma once
// str.ini: the button labels of each interface language in that language's
// section, and the "Skins" section that an installer or the user writes by
// hand (language code, skin folder name, text colour). The program writes
// only the labels.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/button_labels.h"
#include "config/profile_store.h"

namespace trv {

namespace ini {
inline constexpr std::u16string_view kSkinsSection = u"Skins";
inline constexpr std::u16string_view kLanguageKey = u"Lan";
inline constexpr std::u16string_view kSkinPathKey = u"Path";
inline constexpr std::u16string_view kRedKey = u"RColor";
inline constexpr std::u16string_view kGreenKey = u"GColor";
inline constexpr std::u16string_view kBlueKey = u"BColor";
}  // namespace ini

// The "Skins" keys the window's look is made from.
struct SkinSettings {
    std::u16string path;  // the skin's folder name under Skins/
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const SkinSettings&) const = default;
};

// The language code ("CHS", "CHT", "BUL", anything else English); empty
// without a str.ini.
std::u16string readLanguageCode(const ProfileStore& store);

// Reads the sixteen labels from the interface language's section
// ("Setting-EN", ...) and the skin keys. A missing file or key gives empty
// text, and a colour component of 0.
void LoadIniStore(const ProfileStore& store, std::u16string_view labelSection, ButtonLabels& labels,
                  SkinSettings& skin);

// Writes the sixteen labels into the language's section; nothing else in the
// file changes. A failed write changes nothing the user would see now, so it
// is not reported.
void SaveIniStore(ProfileStore& store, std::u16string_view labelSection,
                  const ButtonLabels& labels);

// A colour component as written by hand: the number's low eight bits, read
// the C library's way (leading white space, an optional sign, the digits up
// to the first other character, out-of-range values held at the int limits).
std::uint8_t colourComponent(std::u16string_view text);

}  // namespace trv
