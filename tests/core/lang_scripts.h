#pragma once
// Characters of the two Chinese scripts that the other one never uses, among
// those the interface texts need. A Simplified text holds none of the
// Traditional-only ones and the other way round.

#include <string_view>

namespace trv::test {

inline constexpr std::u16string_view kSimplifiedOnly =
    u"个体关击动单参双围复夹应开戏择换报数时暂标检没测浏滚灯烁电确组结统脑览计设说请贴轮输进选"
    u"邮针销键闪闭间静页须";

inline constexpr std::u16string_view kTraditionalOnly =
    u"個儲動參啟單圍報尋後復愛應戲捲換擇擊數時暫標機檢沒測準滾瀏燈爍確範組結統腦螢製複覽計設說請"
    u"貼輪輸進遊選郵鍵閃閉開間關雙電靜頁須體";

// The first character of the text that belongs to the forbidden set, or 0.
inline char16_t firstOf(std::u16string_view text, std::u16string_view forbidden) {
    for (char16_t c : text) {
        if (forbidden.find(c) != std::u16string_view::npos) return c;
    }
    return 0;
}

inline bool hasBlank(std::u16string_view text) {
    return text.find(u' ') != std::u16string_view::npos ||
           text.find(u'\u3000') != std::u16string_view::npos;
}

inline bool hasCyrillic(std::u16string_view text) {
    for (char16_t c : text) {
        if (c >= 0x0400 && c <= 0x04FF) return true;
    }
    return false;
}

inline bool hasHan(std::u16string_view text) {
    for (char16_t c : text) {
        if (c >= 0x4E00 && c <= 0x9FFF) return true;
    }
    return false;
}

}  // namespace trv::test
