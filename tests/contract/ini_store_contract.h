#pragma once
// str.ini's labels and skin keys through any ProfileStore, on real files.
// Instantiate with the same factories as the profile store contract:
//   INSTANTIATE_TEST_SUITE_P(Name, IniStoreContract, ::testing::Values(factory), storeName);

#include <gtest/gtest.h>

#include <string>

#include "config/ini_store.h"
#include "lang/text_table.h"
#include "tests/contract/store_factory.h"

namespace trv::testing {

class IniStoreContract : public ::testing::TestWithParam<NamedStoreFactory> {
  protected:
    static constexpr std::string_view kFile = "str.ini";
    std::unique_ptr<ProfileStore> store() const { return GetParam().make(folder.path16(kFile)); }

    static ButtonLabels labelsNamed(std::u16string_view stem) {
        ButtonLabels labels;
        for (std::size_t i = 0; i < labels.texts.size(); ++i) {
            labels.texts[i] = std::u16string(stem) + static_cast<char16_t>(u'a' + i);
        }
        return labels;
    }

    static std::u16string_view section(Language language) {
        return text(language, TextId::SettingsSection);
    }

    TempFolder folder;
};

TEST_P(IniStoreContract, WithoutStrIniLabelsAndSkinNameAreEmptyAndTheTextColourBlack) {
    ButtonLabels labels = labelsNamed(u"old");
    SkinSettings skin{u"old", 1, 2, 3};
    LoadIniStore(*store(), section(Language::English), labels, skin);
    EXPECT_EQ(labels, ButtonLabels{});
    EXPECT_EQ(skin, SkinSettings{});
    EXPECT_EQ(readLanguageCode(*store()), u"");
    EXPECT_FALSE(folder.exists(kFile));
}

TEST_P(IniStoreContract, LabelsComeFromTheLanguagesSectionAndTheSkinFromSkins) {
    folder.write(kFile, utf16File(u"[Skins]\r\nLan=CHS\r\nPath=Dark\r\nRColor=300\r\n"
                                  u"GColor= 12px\r\nBColor=-1\r\n"
                                  u"[Setting-EN]\r\nItem1=Left Click\r\nItem83=Key Off\r\n"
                                  u"[Setting-CHS]\r\nItem13=\u5DE6\u952E\r\nItem8=\u5173\r\n"));
    EXPECT_EQ(readLanguageCode(*store()), u"CHS");

    ButtonLabels labels;
    SkinSettings skin;
    LoadIniStore(*store(), section(Language::SimplifiedChinese), labels, skin);
    ButtonLabels expected;
    expected.of(Mode::B, 1) = u"\u5DE6\u952E";
    expected.of(Mode::A, 8) = u"\u5173";
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(skin, (SkinSettings{u"Dark", 44, 12, 255}));

    LoadIniStore(*store(), section(Language::English), labels, skin);
    expected = ButtonLabels{};
    expected.of(Mode::A, 1) = u"Left Click";
    expected.of(Mode::B, 8) = u"Key Off";
    EXPECT_EQ(labels, expected);
}

TEST_P(IniStoreContract, SavedLabelsGoToTheLanguagesSectionInKeyOrder) {
    SaveIniStore(*store(), section(Language::Bulgarian), labelsNamed(u"L"));
    EXPECT_EQ(folder.read(kFile),
              utf16File(u"[Setting-BUL]\r\n"
                        u"Item1=La\r\nItem2=Lb\r\nItem3=Lc\r\nItem4=Ld\r\n"
                        u"Item5=Le\r\nItem6=Lf\r\nItem7=Lg\r\nItem8=Lh\r\n"
                        u"Item13=Li\r\nItem23=Lj\r\nItem33=Lk\r\nItem43=Ll\r\n"
                        u"Item53=Lm\r\nItem63=Ln\r\nItem73=Lo\r\nItem83=Lp\r\n"));
    ButtonLabels labels;
    SkinSettings skin;
    LoadIniStore(*store(), section(Language::Bulgarian), labels, skin);
    EXPECT_EQ(labels, labelsNamed(u"L"));
}

TEST_P(IniStoreContract, SavingManyTimesLeavesSkinsAndTheOtherLanguageByteForByte) {
    const std::u16string untouched =
        u"[Skins]\r\nLan=\r\nPath=Default\r\nRColor=230\r\nGColor=230\r\nBColor=230\r\n"
        u"[Setting-CHS]\r\nItem1=\u5DE6\u952E\r\nItem13=\u53F3\u952E\r\n";
    folder.write(kFile, utf16File(untouched + u"[Setting-EN]\r\nItem1=Left Click\r\n"));
    for (std::u16string_view stem : {u"first", u"second", u"a much longer third label", u"x"}) {
        SaveIniStore(*store(), section(Language::English), labelsNamed(stem));
    }
    const Bytes file = folder.read(kFile);
    const Bytes before = utf16File(untouched);
    ASSERT_GE(file.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), file.begin()));

    ButtonLabels labels;
    SkinSettings skin;
    LoadIniStore(*store(), section(Language::English), labels, skin);
    EXPECT_EQ(labels, labelsNamed(u"x"));
    LoadIniStore(*store(), section(Language::SimplifiedChinese), labels, skin);
    EXPECT_EQ(labels.of(Mode::A, 1), u"\u5DE6\u952E");
    EXPECT_EQ(labels.of(Mode::B, 1), u"\u53F3\u952E");
    EXPECT_EQ(skin, (SkinSettings{u"Default", 230, 230, 230}));
}

TEST_P(IniStoreContract, ALabelLongerThan1023CharactersComesBackCut) {
    ButtonLabels saved;
    saved.of(Mode::A, 3) = std::u16string(1500, u'\u4E2D');
    saved.of(Mode::B, 4) = std::u16string(1023, u'k');
    SaveIniStore(*store(), section(Language::TraditionalChinese), saved);
    ButtonLabels labels;
    SkinSettings skin;
    LoadIniStore(*store(), section(Language::TraditionalChinese), labels, skin);
    EXPECT_EQ(labels.of(Mode::A, 3), std::u16string(1023, u'\u4E2D'));
    EXPECT_EQ(labels.of(Mode::B, 4), std::u16string(1023, u'k'));
}

}  // namespace trv::testing
