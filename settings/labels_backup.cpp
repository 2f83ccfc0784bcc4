#include "settings/labels_backup.h"

#include "config/ini_store.h"
#include "config/text_profile_store.h"
#include "lang/text_table.h"

namespace trv {

namespace {

constexpr Language kEveryLanguage[] = {Language::English, Language::SimplifiedChinese,
                                       Language::TraditionalChinese, Language::Bulgarian};

// Copies the labels of every language from one store to another.
void copyLabels(const ProfileStore& from, ProfileStore& to) {
    for (Language language : kEveryLanguage) {
        const std::u16string_view section = text(language, TextId::SettingsSection);
        ButtonLabels labels;
        SkinSettings unused;
        LoadIniStore(from, section, labels, unused);
        SaveIniStore(to, section, labels);
    }
}

}  // namespace

std::u16string labelsOfEveryLanguage(const ProfileStore& strIni) {
    std::u16string text;
    TextProfileStore labels(text);
    copyLabels(strIni, labels);
    return text;
}

void restoreLabels(ProfileStore& strIni, const std::u16string& labels) {
    std::u16string text = labels;
    const TextProfileStore backup(text);
    copyLabels(backup, strIni);
}

}  // namespace trv
