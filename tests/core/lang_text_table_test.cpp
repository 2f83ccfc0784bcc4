#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "lang/text_table.h"
#include "lang_scripts.h"

namespace trv {
namespace {

constexpr std::array kLanguages{Language::English, Language::SimplifiedChinese,
                                Language::TraditionalChinese, Language::Bulgarian};
constexpr std::array kChinese{Language::SimplifiedChinese, Language::TraditionalChinese};

constexpr auto kRowCount = static_cast<std::size_t>(TextId::Count);

TextId row(std::size_t index) {
    return static_cast<TextId>(index);
}

TEST(LanguageChoice, OnlyTheThreeExactCodesLeaveEnglish) {
    const std::u16string longCode(1023, u'C');
    const struct {
        std::u16string_view code;
        Language expected;
    } cases[] = {
        {u"CHS", Language::SimplifiedChinese},
        {u"CHT", Language::TraditionalChinese},
        {u"BUL", Language::Bulgarian},
        {u"", Language::English},
        {u"EN", Language::English},
        {u"chs", Language::English},
        {u"Cht", Language::English},
        {u"bul", Language::English},
        {u"CHS ", Language::English},
        {u" CHT", Language::English},
        {u"CH", Language::English},
        {u"CHSS", Language::English},
        {std::u16string_view(u"BUL\0X", 5), Language::English},
        {longCode, Language::English},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageFromCode(c.code), c.expected)
            << "code \"" << std::string(c.code.begin(), c.code.end()) << "\"";
    }
}

TEST(LanguageChoice, CodeNamesTheButtonLabelSection) {
    const struct {
        std::u16string_view code;
        std::u16string_view section;
    } cases[] = {
        {u"", u"Setting-EN"},     {u"chs", u"Setting-EN"},  {u"EN", u"Setting-EN"},
        {u"CHS", u"Setting-CHS"}, {u"CHT", u"Setting-CHT"}, {u"BUL", u"Setting-BUL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(languageFromCode(c.code), TextId::SettingsSection), c.section);
    }
}

TEST(TextTable, EveryRowHasATextInEveryLanguage) {
    for (Language language : kLanguages) {
        for (std::size_t i = 0; i < kRowCount; ++i) {
            EXPECT_FALSE(text(language, row(i)).empty())
                << "row " << i << " language " << static_cast<int>(language);
        }
    }
}

TEST(TextTable, FixedTextsReadExactlyInEachLanguage) {
    const struct {
        TextId id;
        std::array<std::u16string_view, 4> texts;
    } rows[] = {
        {TextId::Ok, {u"OK", u"确定", u"確定", u"OK"}},
        {TextId::Apply, {u"Apply", u"应用", u"應用", u"Приложи"}},
        {TextId::Cancel, {u"Cancel", u"取消", u"取消", u"Отказ"}},
        {TextId::Default, {u"Default", u"按键恢复", u"按鍵恢復", u"По подразбиране"}},
        {TextId::LeftClick, {u"Left Click", u"左键", u"左鍵", u"Натискане на ляв бутон"}},
        {TextId::Shift, {u"Shift", u"Shift", u"Shift", u"Бутон Shift"}},
        {TextId::Windows, {u"Windows", u"Windows", u"Windows", u"Бутон \u2018\u2019Windows"}},
        {TextId::FireKey,
         {u"Fire Key", u"火力键", u"火力鍵", u"Функционален бутон \u2018\u2019Fire"}},
        {TextId::SnipeKey, {u"Snipe Key", u"狙击", u"狙擊", u"утон за прицелване"}},
        {TextId::KeyOff, {u"Key Off", u"按键关闭", u"按鍵關閉", u"Бутон за изключване"}},
        {TextId::LButtonSuffix, {u"-L-Button", u"-L-Button", u"-L-Button", u"-L-Button"}},
        {TextId::LeftKeyMustBeSelected,
         {u"Left key must be selected!", u"左键功能必须选择！", u"左鍵功能必須選擇！",
          u"Трбва да бъде избран ляв бутон!"}},
        {TextId::NonDisolay, {u"Non-Disolay", u"关闭", u"關閉", u"Без светлина"}},
        {TextId::RgbFixedOn, {u"RGB Fixed On", u"RGB常亮", u"RGB常亮", u"Настройка на RGB"}},
        {TextId::DpiStage1,
         {u"Switch DPI into the first stage ", u"DPI切换到第一段", u"DPI切換到第一段",
          u"Включване на DPI на първо ниво"}},
        {TextId::KeyMatrix1,
         {u"Switch to key matrix 1", u"切换到按键组1", u"切換到按鍵群組1",
          u"Превключване на разположението на група от клавиши 1"}},
        {TextId::Exit, {u"Exit", u"退出", u"退出", u"Излизане от меню"}},
        {TextId::MouseNotDetected,
         {u"The system did not detect the gaming mouse!", u"系统没有检测到游戏鼠标！",
          u"系統沒有檢測到遊戲滑鼠！", u"Системата не разпознава оптичната мишка!"}},
        {TextId::MouseDetected,
         {u"The system detect the gaming mouse.", u"系统检测到游戏鼠标。", u"系統檢測到遊戲滑鼠。",
          u"Системата разпозна оптичната мишка."}},
        {TextId::MouseSpeed,
         {u"Mouse Speed", u"鼠标移动速度", u"滑鼠移動速度",
          u"Скорост на движение на курсора на мишката"}},
        {TextId::SettingsSection, {u"Setting-EN", u"Setting-CHS", u"Setting-CHT", u"Setting-BUL"}},
    };
    for (const auto& r : rows) {
        for (std::size_t l = 0; l < kLanguages.size(); ++l) {
            EXPECT_EQ(text(kLanguages[l], r.id), r.texts[l])
                << "row " << static_cast<int>(r.id) << " language " << l;
        }
    }
}

// A row left in English by mistake reads like one of these on purpose.
TEST(TextTable, OnlyTheNamedRowsReadAsInEnglish) {
    const std::set<TextId> sharedWithChinese{TextId::Shift, TextId::Windows, TextId::LButtonSuffix,
                                             TextId::WebLink, TextId::SettingsChangedCaption};
    const std::set<TextId> sharedWithBulgarian{TextId::Ok, TextId::LButtonSuffix, TextId::WebLink,
                                               TextId::SettingsChangedCaption};
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const std::u16string_view english = text(Language::English, row(i));
        for (Language chinese : kChinese) {
            EXPECT_EQ(text(chinese, row(i)) == english, sharedWithChinese.contains(row(i)))
                << "row " << i << " language " << static_cast<int>(chinese);
        }
        EXPECT_EQ(text(Language::Bulgarian, row(i)) == english,
                  sharedWithBulgarian.contains(row(i)))
            << "row " << i;
    }
}

TEST(TextTable, WebLinkIsOneAddressForAllLanguagesAndReadsInEach) {
    const std::u16string_view link = text(Language::English, TextId::WebLink);
    EXPECT_EQ(link, u"TRV418-Guide.html");
    std::set<std::u16string_view> captions;
    for (Language language : kLanguages) {
        EXPECT_EQ(text(language, TextId::WebLink), link);
        captions.insert(guideLinkText(language));
    }
    EXPECT_EQ(captions.size(), 4u);
}

TEST(TextTable, ChineseRowsAreShortWithoutBlanks) {
    for (Language language : kChinese) {
        for (std::size_t i = 0; i < kRowCount; ++i) {
            // The link is a file name; the rest are a label's, a menu item's
            // or a balloon's few words, except the question, the sentences
            // of profiles and backups that name a file, and the single-key
            // dialog's hint, which wrap.
            if (row(i) == TextId::WebLink || row(i) == TextId::SettingsChangedQuestion) continue;
            const bool sentence =
                row(i) == TextId::SingleKeyHint ||
                (row(i) >= TextId::ProfileApplied && row(i) <= TextId::BackupNotProfile);
            const std::u16string_view t = text(language, row(i));
            SCOPED_TRACE(testing::Message()
                         << "row " << i << " language " << static_cast<int>(language));
            EXPECT_FALSE(test::hasBlank(t));
            EXPECT_GE(t.size(), 2u);
            if (!sentence) {
                EXPECT_LE(t.size(), 12u);
            }
            EXPECT_FALSE(test::hasCyrillic(t));
        }
    }
}

TEST(TextTable, ChineseRowsKeepToTheirOwnScript) {
    for (std::size_t i = 0; i < kRowCount; ++i) {
        EXPECT_EQ(test::firstOf(text(Language::SimplifiedChinese, row(i)), test::kTraditionalOnly),
                  0)
            << "Simplified row " << i;
        EXPECT_EQ(test::firstOf(text(Language::TraditionalChinese, row(i)), test::kSimplifiedOnly),
                  0)
            << "Traditional row " << i;
    }
}

TEST(TextTable, BulgarianRowsHoldNoChinese) {
    for (std::size_t i = 0; i < kRowCount; ++i) {
        EXPECT_FALSE(test::hasHan(text(Language::Bulgarian, row(i)))) << "row " << i;
    }
}

TEST(TextTable, OutOfRangeLanguageReadsEnglishAndOutOfRangeRowIsEmpty) {
    EXPECT_EQ(text(static_cast<Language>(7), TextId::Apply), u"Apply");
    EXPECT_EQ(text(static_cast<Language>(255), TextId::SettingsSection), u"Setting-EN");
    EXPECT_TRUE(text(Language::Bulgarian, TextId::Count).empty());
    EXPECT_TRUE(text(Language::English, static_cast<TextId>(200)).empty());
}

// The notification icon's menu is narrow: every item fits in it in every language.
TEST(TextTable, MenuItemsAreUnderFortyCharacters) {
    for (TextId id : {TextId::ProfilesMenu, TextId::NoProfiles, TextId::SaveProfileAs,
                      TextId::OpenProfilesFolder, TextId::BackUp, TextId::Restore, TextId::Exit}) {
        for (Language language : kLanguages) {
            EXPECT_LT(text(language, id).size(), 40u)
                << "row " << static_cast<int>(id) << " language " << static_cast<int>(language);
        }
    }
}

}  // namespace
}  // namespace trv
