#include "perf/lighting.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace trv {

namespace {

constexpr std::array<TextId, 4> kModeTexts{TextId::OffMode, TextId::StandardMode,
                                           TextId::RespirationMode, TextId::NeonMode};

constexpr std::array<TextId, 4> kEffectTexts{TextId::NonDisolay, TextId::RgbEffect,
                                             TextId::RgbFlash, TextId::RgbFixedOn};

constexpr std::array<std::u16string_view, kBrightnessLevels> kBrightnessTexts{
    u"5%", u"15%", u"25%", u"35%", u"45%", u"55%", u"65%", u"75%", u"85%", u"100%"};

constexpr std::array<std::u16string_view, kRespirationSpeeds> kRespirationTexts{u"8S", u"7S", u"6S",
                                                                                u"5S", u"4S"};

// The Mode list offers Off, Standard and Respiration only.
constexpr std::size_t kModeListItems = 3;
constexpr std::array<std::uint8_t, 2> kRespirationEffectItems{light_effect::kRgbEffect,
                                                              light_effect::kRgbFlash};

template <std::size_t N>
std::u16string entry(const std::array<std::u16string_view, N>& table, std::size_t index) {
    return index < N ? std::u16string(table[index]) : std::u16string();
}

template <std::size_t N>
std::u16string row(Language language, const std::array<TextId, N>& table, std::size_t index) {
    return index < N ? std::u16string(text(language, table[index])) : std::u16string();
}

template <std::size_t N>
std::vector<std::u16string> allOf(const std::array<std::u16string_view, N>& table) {
    return {table.begin(), table.end()};
}

std::optional<std::size_t> chosen(int selection, std::size_t itemCount) {
    if (selection < 0 || static_cast<std::size_t>(selection) >= itemCount) return std::nullopt;
    return static_cast<std::size_t>(selection);
}

}  // namespace

std::u16string lightModeText(Language language, std::uint8_t mode) {
    return row(language, kModeTexts, mode);
}

std::u16string brightnessText(std::uint8_t index) {
    return entry(kBrightnessTexts, index);
}

std::u16string respirationText(std::uint8_t index) {
    return entry(kRespirationTexts, index);
}

std::u16string neonText(std::uint8_t index) {
    if (index >= kNeonPeriods) return {};
    // Period (index + 1) half seconds: whole seconds bare, halves with ".5".
    const unsigned halves = index + 1u;
    std::u16string seconds = decimalText(halves / 2);
    if (halves % 2 != 0) seconds = (halves == 1 ? u"0" : seconds) + u".5";
    return seconds + u"S";
}

std::u16string effectText(Language language, std::uint8_t effect) {
    return row(language, kEffectTexts, effect);
}

void refreshLightingTexts(LightingTexts& texts, const SettingsRecord& record, Language language) {
    const std::uint8_t mode = record[rec::kLightMode];
    texts.mode = lightModeText(language, mode);
    switch (mode) {
        case light_mode::kOff:
            texts.parameter.clear();
            texts.effect.clear();
            break;
        case light_mode::kStandard:
            texts.parameter = brightnessText(record[rec::kLightBrightness]);
            texts.effect = effectText(language, record[rec::kStandardEffect]);
            break;
        case light_mode::kRespiration:
            texts.parameter = respirationText(record[rec::kRespirationSpeed]);
            texts.effect = effectText(language, record[rec::kRespirationEffect]);
            break;
        case light_mode::kNeon:
            texts.parameter = neonText(record[rec::kNeonPeriod]);
            texts.effect = effectText(language, record[rec::kNeonEffect]);
            break;
        default:
            break;
    }
}

std::vector<std::u16string> modeListItems(Language language) {
    std::vector<std::u16string> items;
    for (std::uint8_t mode = 0; mode < kModeListItems; ++mode) {
        items.push_back(lightModeText(language, mode));
    }
    return items;
}

std::vector<std::u16string> parameterListItems(std::uint8_t lightMode) {
    switch (lightMode) {
        case light_mode::kStandard:
            return allOf(kBrightnessTexts);
        case light_mode::kRespiration:
            return allOf(kRespirationTexts);
        default:
            return {};
    }
}

std::vector<std::u16string> effectListItems(Language language, std::uint8_t lightMode) {
    std::vector<std::u16string> items;
    if (lightMode != light_mode::kRespiration) return items;
    for (std::uint8_t effect : kRespirationEffectItems)
        items.push_back(effectText(language, effect));
    return items;
}

void clickEffectBoxWithoutList(LightingTexts& texts, std::uint8_t lightMode, Language language) {
    if (lightMode == light_mode::kStandard) {
        texts.effect = effectText(language, light_effect::kRgbEffect);
    }
}

bool chooseLightMode(SettingsRecord& record, LightingTexts& texts, Language language,
                     int selection) {
    const auto index = chosen(selection, kModeListItems);
    if (!index) return false;
    const auto mode = static_cast<std::uint8_t>(*index);
    record[rec::kLightMode] = mode;
    texts.mode = lightModeText(language, mode);
    switch (mode) {
        case light_mode::kStandard:
            texts.parameter = brightnessText(record[rec::kLightBrightness]);
            texts.effect = effectText(language, light_effect::kRgbEffect);
            break;
        case light_mode::kRespiration:
            // The box shows "RGB Effect"; the record follows it, so that the
            // mouse gets the effect and the period the user sees.
            record[rec::kRespirationEffect] = light_effect::kRgbEffect;
            texts.parameter = respirationText(record[rec::kRespirationSpeed]);
            texts.effect = effectText(language, light_effect::kRgbEffect);
            break;
        default:
            texts.parameter.clear();
            texts.effect.clear();
            break;
    }
    return true;
}

bool chooseLightParameter(SettingsRecord& record, LightingTexts& texts, int selection) {
    const std::uint8_t mode = record[rec::kLightMode];
    const std::vector<std::u16string> items = parameterListItems(mode);
    const auto index = chosen(selection, items.size());
    if (!index) return false;
    texts.parameter = items[*index];
    const auto value = static_cast<std::uint8_t>(*index);
    if (mode == light_mode::kStandard) record[rec::kLightBrightness] = value;
    if (mode == light_mode::kRespiration) record[rec::kRespirationSpeed] = value;
    return true;
}

bool chooseLightEffect(SettingsRecord& record, LightingTexts& texts, Language language,
                       int selection) {
    const std::uint8_t mode = record[rec::kLightMode];
    const std::vector<std::u16string> items = effectListItems(language, mode);
    const auto index = chosen(selection, items.size());
    if (!index) return false;
    texts.effect = items[*index];
    record[rec::kRespirationEffect] = kRespirationEffectItems[*index];
    return true;
}

void encodeLighting(const SettingsRecord& record, ConfigBlock& block) {
    const std::uint8_t mode = record[rec::kLightMode];
    block.image[block::kLightMode] = mode;
    if (mode == light_mode::kStandard) {
        block.image[block::kLightParameter] = record[rec::kLightBrightness];
        block.image[block::kLightParameterKind] = light_kind::kSteady;
        return;
    }
    if (mode != light_mode::kRespiration) return;
    const std::uint8_t effect = record[rec::kRespirationEffect];
    if (effect != light_effect::kRgbEffect && effect != light_effect::kRgbFlash) return;
    block.image[block::kLightParameter] = record[rec::kRespirationSpeed];
    block.image[block::kLightParameterKind] =
        effect == light_effect::kRgbFlash ? light_kind::kFlash : light_kind::kSteady;
}

}  // namespace trv
