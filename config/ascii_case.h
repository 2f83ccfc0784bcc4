#pragma once
// File names, as Windows compares them for the names this program makes, and
// the profile's words are matched without regard to the case of ASCII letters.

#include <algorithm>
#include <string_view>

namespace trv {

constexpr char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

inline bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace trv
