#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "lang/dialog_labels.h"
#include "lang_scripts.h"

namespace trv {
namespace {

constexpr std::array kLanguages{Language::English, Language::SimplifiedChinese,
                                Language::TraditionalChinese, Language::Bulgarian};
constexpr std::array kSets{DialogLabelSet::FireKey,    DialogLabelSet::HotKey,
                           DialogLabelSet::Multimedia, DialogLabelSet::SingleKey,
                           DialogLabelSet::SnipeKey,   DialogLabelSet::WindowsFunctions};
constexpr std::array kListSets{DialogLabelSet::HotKey, DialogLabelSet::Multimedia,
                               DialogLabelSet::WindowsFunctions};

using Texts = std::vector<std::u16string_view>;

Texts labels(DialogLabelSet set, Language language) {
    const auto span = dialogLabels(set, language);
    return Texts(span.begin(), span.end());
}

testing::Message where(DialogLabelSet set, Language language) {
    return testing::Message() << "set " << static_cast<int>(set) << " language "
                              << static_cast<int>(language);
}

TEST(DialogLabels, EnglishSetsInTheirOrder) {
    const struct {
        DialogLabelSet set;
        Texts expected;
    } cases[] = {
        {DialogLabelSet::FireKey,
         {u"OK", u"Cancel", u"L-Button", u"Speed", u"Times", u"Make Time", u"Break Time",
          u"Illustration:", u"Time (value range 5-255)",
          u"Times (value range 0-127,0 indicates fire key to end when the key released)"}},
        {DialogLabelSet::HotKey,
         {u"OK", u"Cancel", u"Copy", u"Copy", u"Cut", u"Paste", u"Select all", u"Open", u"New",
          u"Save", u"Undo"}},
        {DialogLabelSet::Multimedia,
         {u"OK", u"Cancel", u"Next", u"Next", u"Previous", u"Stop", u"Play/Pause", u"Mute", u"Vol+",
          u"Vol-"}},
        {DialogLabelSet::SingleKey, {u"OK", u"Cancel", u"Please enter a key"}},
        {DialogLabelSet::SnipeKey, {u"OK", u"Cancel"}},
        {DialogLabelSet::WindowsFunctions,
         {u"OK", u"Cancel", u"Multimedia Player", u"Multimedia Player", u"Mail", u"Calculator",
          u"My Computer", u"Browser-Search", u"Browser-Home", u"Browser-Back", u"Browser-Forward",
          u"Browser-Stop", u"Browser-Refresh", u"Browser-My Favorites"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(labels(c.set, Language::English), c.expected) << where(c.set, Language::English);
    }
}

TEST(DialogLabels, EveryLanguageHasTheWholeSetWithNoEmptyLabel) {
    for (DialogLabelSet set : kSets) {
        const std::size_t count = dialogLabels(set, Language::English).size();
        for (Language language : kLanguages) {
            const Texts set_labels = labels(set, language);
            EXPECT_EQ(set_labels.size(), count) << where(set, language);
            for (std::u16string_view label : set_labels) {
                EXPECT_FALSE(label.empty()) << where(set, language);
            }
        }
    }
}

TEST(DialogLabels, FixedForeignLabelsReadExactly) {
    const struct {
        DialogLabelSet set;
        Language language;
        std::size_t position;
        std::u16string_view expected;
    } cases[] = {
        {DialogLabelSet::FireKey, Language::SimplifiedChinese, fire_label::kLButton, u"L-Button"},
        {DialogLabelSet::FireKey, Language::TraditionalChinese, fire_label::kLButton, u"L-Button"},
        {DialogLabelSet::FireKey, Language::Bulgarian, fire_label::kLButton, u"L-Бутон"},
        {DialogLabelSet::FireKey, Language::SimplifiedChinese, fire_label::kTimesRange,
         u"次数(数值范围0-127，0表示按键放开火力键结束)"},
        {DialogLabelSet::SingleKey, Language::SimplifiedChinese, single_label::kPleaseEnterKey,
         u"请输入一个按键"},
        {DialogLabelSet::SingleKey, Language::TraditionalChinese, single_label::kPleaseEnterKey,
         u"請輸入一個按鍵"},
        {DialogLabelSet::SingleKey, Language::Bulgarian, single_label::kPleaseEnterKey,
         u"Моля, натиснете бутон"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialogLabel(c.set, c.language, c.position), c.expected)
            << where(c.set, c.language) << " position " << c.position;
    }
}

TEST(DialogLabels, OkAndCancelCaptionsPerLanguage) {
    // Bulgarian OK is Cyrillic, capitalised differently in the last two dialogs.
    const std::u16string_view cyrillicOk = u"\u041E\u041A";
    const std::u16string_view cyrillicOkLower = u"\u041E\u043A";
    const struct {
        Language language;
        std::array<std::u16string_view, 6> ok;  // in the order of kSets
        std::u16string_view cancel;
    } cases[] = {
        {Language::English, {u"OK", u"OK", u"OK", u"OK", u"OK", u"OK"}, u"Cancel"},
        {Language::SimplifiedChinese,
         {u"确定", u"确定", u"确定", u"确定", u"确定", u"确定"},
         u"取消"},
        {Language::TraditionalChinese,
         {u"確定", u"確定", u"確定", u"確定", u"確定", u"確定"},
         u"取消"},
        {Language::Bulgarian,
         {cyrillicOk, cyrillicOk, cyrillicOk, cyrillicOk, cyrillicOkLower, cyrillicOkLower},
         u"Отказ"},
    };
    for (const auto& c : cases) {
        for (std::size_t s = 0; s < kSets.size(); ++s) {
            EXPECT_EQ(dialogLabel(kSets[s], c.language, dialog_label::kOk), c.ok[s])
                << where(kSets[s], c.language);
            EXPECT_EQ(dialogLabel(kSets[s], c.language, dialog_label::kCancel), c.cancel)
                << where(kSets[s], c.language);
        }
    }
}

// Item n is the function the mouse knows as number n; the Windows list has
// nine, so "Browser-Refresh" is number 8 and stop and favourites are absent.
// Before a pick the dialog shows item 0.
TEST(DialogLabels, ListItemsMatchTheMouseFunctions) {
    const struct {
        DialogLabelSet set;
        Texts english;
    } cases[] = {
        {DialogLabelSet::HotKey,
         {u"Copy", u"Cut", u"Paste", u"Select all", u"Open", u"New", u"Save", u"Undo"}},
        {DialogLabelSet::Multimedia,
         {u"Next", u"Previous", u"Stop", u"Play/Pause", u"Mute", u"Vol+", u"Vol-"}},
        {DialogLabelSet::WindowsFunctions,
         {u"Multimedia Player", u"Mail", u"Calculator", u"My Computer", u"Browser-Search",
          u"Browser-Home", u"Browser-Back", u"Browser-Forward", u"Browser-Refresh"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialogListItems(c.set, Language::English), c.english)
            << where(c.set, Language::English);
        for (Language language : kLanguages) {
            const Texts items = dialogListItems(c.set, language);
            ASSERT_EQ(items.size(), c.english.size()) << where(c.set, language);
            EXPECT_EQ(dialogLabel(c.set, language, dialog_label::kFirstChoice), items.front())
                << where(c.set, language);
        }
    }
    EXPECT_EQ(dialogListItems(DialogLabelSet::WindowsFunctions, Language::SimplifiedChinese)[8],
              u"浏览器刷新");
    EXPECT_EQ(dialogListItems(DialogLabelSet::WindowsFunctions, Language::TraditionalChinese)[8],
              u"瀏覽器重新整理");
    for (DialogLabelSet set :
         {DialogLabelSet::FireKey, DialogLabelSet::SingleKey, DialogLabelSet::SnipeKey}) {
        EXPECT_TRUE(dialogListItems(set, Language::English).empty())
            << where(set, Language::English);
    }
}

TEST(DialogLabels, ChineseLabelsWithoutBlanksInTheirOwnScript) {
    for (DialogLabelSet set : kSets) {
        for (std::u16string_view label : labels(set, Language::SimplifiedChinese)) {
            EXPECT_FALSE(test::hasBlank(label)) << where(set, Language::SimplifiedChinese);
            EXPECT_EQ(test::firstOf(label, test::kTraditionalOnly), 0)
                << where(set, Language::SimplifiedChinese);
        }
        for (std::u16string_view label : labels(set, Language::TraditionalChinese)) {
            EXPECT_FALSE(test::hasBlank(label)) << where(set, Language::TraditionalChinese);
            EXPECT_EQ(test::firstOf(label, test::kSimplifiedOnly), 0)
                << where(set, Language::TraditionalChinese);
        }
    }
}

TEST(DialogLabels, TranslatedFunctionNamesDifferFromEnglish) {
    for (DialogLabelSet set : kListSets) {
        const Texts english = dialogListItems(set, Language::English);
        for (Language language :
             {Language::SimplifiedChinese, Language::TraditionalChinese, Language::Bulgarian}) {
            const Texts items = dialogListItems(set, language);
            for (std::size_t i = 0; i < items.size(); ++i) {
                EXPECT_NE(items[i], english[i]) << where(set, language) << " item " << i;
            }
        }
    }
}

TEST(DialogLabels, UnknownPositionOrLanguageIsHarmless) {
    EXPECT_TRUE(dialogLabel(DialogLabelSet::SnipeKey, Language::Bulgarian, 2).empty());
    EXPECT_TRUE(dialogLabel(DialogLabelSet::FireKey, Language::English, 99).empty());
    EXPECT_EQ(dialogLabel(DialogLabelSet::SingleKey, static_cast<Language>(6),
                          single_label::kPleaseEnterKey),
              u"Please enter a key");
    EXPECT_TRUE(dialogLabels(static_cast<DialogLabelSet>(17), Language::English).empty());
}

}  // namespace
}  // namespace trv
