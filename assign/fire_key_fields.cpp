#include "assign/fire_key_fields.h"

namespace trv {

namespace {

constexpr unsigned kMaxRepeat = 127;
constexpr unsigned kMinTime = 5;
constexpr unsigned kMaxTime = 255;
constexpr std::u16string_view kRepeatDefault = u"1";
constexpr std::u16string_view kTimeDefault = u"5";

}  // namespace

unsigned leadingNumber(std::u16string_view text) {
    constexpr unsigned kCeiling = 100000;  // far beyond every range, and no overflow
    unsigned value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        value = value * 10 + static_cast<unsigned>(c - u'0');
        if (value > kCeiling) value = kCeiling;
    }
    return value;
}

const std::u16string& FireKeyFields::text(FireField field) const {
    switch (field) {
        case FireField::Repeat:
            return repeatText_;
        case FireField::Make:
            return makeText_;
        case FireField::Break:
            break;
    }
    return breakText_;
}

std::optional<std::u16string> FireKeyFields::changed(FireField field, std::u16string_view text) {
    if (field == FireField::Make) {
        makeText_ = text;
        return std::nullopt;
    }
    if (field == FireField::Break) {
        breakText_ = text;
        return std::nullopt;
    }
    const unsigned value = leadingNumber(text);
    if (value > kMaxRepeat) {
        // A fresh string rather than assignment into the old one: GCC 12 at
        // -O3 warns, wrongly, that the copy could overlap itself.
        repeatText_ = std::u16string(kRepeatDefault);
        repeat_ = 1;
        return repeatText_;
    }
    repeatText_ = text;
    repeat_ = static_cast<std::uint8_t>(value);
    return std::nullopt;
}

std::optional<std::u16string> FireKeyFields::left(FireField field) {
    if (field == FireField::Repeat) return std::nullopt;
    std::u16string& text = field == FireField::Make ? makeText_ : breakText_;
    std::uint8_t& value = field == FireField::Make ? make_ : break_;
    const unsigned typed = leadingNumber(text);
    if (typed < kMinTime || typed > kMaxTime) {
        text = std::u16string(kTimeDefault);
        value = static_cast<std::uint8_t>(kMinTime);
        return text;
    }
    value = static_cast<std::uint8_t>(typed);
    return std::nullopt;
}

}  // namespace trv
