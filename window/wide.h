#pragma once
// The portable code speaks UTF-16 as std::u16string; Windows speaks wchar_t,
// which is the same 16-bit unit there. These helpers cross that edge.

#include <string>
#include <string_view>

namespace trv::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

inline std::wstring toWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string fromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// A fixed-size wide buffer filled by the system, cut at its first null.
inline std::wstring untilNull(const wchar_t* buffer, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && buffer[n] != L'\0') ++n;
    return std::wstring(buffer, n);
}

}  // namespace trv::win
