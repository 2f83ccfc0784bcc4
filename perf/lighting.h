#pragma once
// The mouse's light: a mode (off, standard, respiration, neon), a parameter
// that depends on the mode (brightness or period) and an effect, shown in the
// "Mode", "Parameter" and "Effect" boxes, each with a small list.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_block.h"
#include "config/settings_record.h"
#include "lang/text_table.h"

namespace trv {

namespace light_mode {
inline constexpr std::uint8_t kOff = 0;
inline constexpr std::uint8_t kStandard = 1;
inline constexpr std::uint8_t kRespiration = 2;
inline constexpr std::uint8_t kNeon = 3;
}  // namespace light_mode

namespace light_effect {
inline constexpr std::uint8_t kNone = 0;  // "Non-Disolay"
inline constexpr std::uint8_t kRgbEffect = 1;
inline constexpr std::uint8_t kRgbFlash = 2;
inline constexpr std::uint8_t kRgbFixedOn = 3;
}  // namespace light_effect

// The kind byte that goes with the lighting parameter byte.
namespace light_kind {
inline constexpr std::uint8_t kSteady = 2;
inline constexpr std::uint8_t kFlash = 3;  // the respiration mode's RGB Flash
}  // namespace light_kind

inline constexpr std::size_t kBrightnessLevels = 10;
inline constexpr std::size_t kRespirationSpeeds = 5;
inline constexpr std::size_t kNeonPeriods = 30;

// Display texts of an index; empty for an index outside the table.
std::u16string lightModeText(Language language, std::uint8_t mode);
std::u16string brightnessText(std::uint8_t index);   // "5%" .. "100%"
std::u16string respirationText(std::uint8_t index);  // "8S" .. "4S"
std::u16string neonText(std::uint8_t index);         // "0.5S", "1S", .. "15S"
std::u16string effectText(Language language, std::uint8_t effect);

// The three texts the boxes show.
struct LightingTexts {
    std::u16string mode;
    std::u16string parameter;
    std::u16string effect;
    bool operator==(const LightingTexts&) const = default;
};

// The texts from the record, as the page build shows them. A mode outside
// 0..3 shows an empty mode box and leaves the other two texts as they were.
void refreshLightingTexts(LightingTexts& texts, const SettingsRecord& record, Language language);

// Items of the three lists; an empty list means that a click on the box opens
// none. Neon mode is never offered: it is shown only when the record holds it.
std::vector<std::u16string> modeListItems(Language language);
std::vector<std::u16string> parameterListItems(std::uint8_t lightMode);
std::vector<std::u16string> effectListItems(Language language, std::uint8_t lightMode);

// A click on the Effect box in Standard mode opens no list but shows
// "RGB Effect", the effect that mode sends; other modes change nothing.
void clickEffectBoxWithoutList(LightingTexts& texts, std::uint8_t lightMode, Language language);

// A choice in a list (selection index; negative = no selection). Each returns
// false, changing nothing, when there is no valid selection, so the list
// stays open.
bool chooseLightMode(SettingsRecord& record, LightingTexts& texts, Language language,
                     int selection);
bool chooseLightParameter(SettingsRecord& record, LightingTexts& texts, int selection);
bool chooseLightEffect(SettingsRecord& record, LightingTexts& texts, Language language,
                       int selection);

// The lighting bytes of the block: the mode always; the parameter and its kind
// only where the mode defines them, else they keep the mouse's values.
void encodeLighting(const SettingsRecord& record, ConfigBlock& block);

}  // namespace trv
