#pragma once
// The button labels of every interface language as a backup carries them:
// str.ini's label sections alone, as profile text. The "Skins" section (the
// language, the skin and its colours) is the user's choice of look and never
// travels with a backup.

#include <string>

#include "config/profile_store.h"

namespace trv {

// The label sections of every language, read from str.ini.
std::u16string labelsOfEveryLanguage(const ProfileStore& strIni);

// Every label of every language from a backup's labels into str.ini; a label
// the backup does not hold becomes empty, as it was in a str.ini without it.
void restoreLabels(ProfileStore& strIni, const std::u16string& labels);

}  // namespace trv
