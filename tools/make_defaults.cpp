// Writes the files an installation starts with into a folder: config.bin (a
// first run's flag and the default settings) and str.ini (the "Skins" keys
// and every language's default button labels, as UTF-16 so that all four
// languages keep their texts). With --keep, a file already in the folder is
// left as it is, as an installer keeps a user's settings.
//
//   trv_make_defaults [--keep] [--language CODE] [--skin NAME] <folder>
//
// --language and --skin set str.ini's "Lan" and "Path" (English and the
// default skin otherwise), for screenshots and for users who script a setup.

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "assign/assignment.h"
#include "config/ini_store.h"
#include "config/portable_profile_store.h"
#include "config/settings_file.h"
#include "config/settings_file_disk.h"
#include "lang/text_table.h"
#include "tools/default_settings.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kFirstRun = 0;
constexpr std::u16string_view kDefaultSkin = u"Default";
constexpr std::u16string_view kLightGrey = u"230";  // readable on the dark default skin
constexpr std::u16string_view kEnglishByDefault = u"";
constexpr trv::Language kLanguages[] = {
    trv::Language::English,
    trv::Language::SimplifiedChinese,
    trv::Language::TraditionalChinese,
    trv::Language::Bulgarian,
};

bool writeConfigBin(const fs::path& path) {
    const auto bytes = trv::settingsFileBytes(kFirstRun, trv::defaultSettingsRecord());
    const trv::WriteResult result = trv::replaceFileAtomically(path.u16string(), bytes);
    if (!result.written) {
        std::cerr << "cannot write " << path << " (error " << result.systemError << ")\n";
    }
    return result.written;
}

struct StrIniChoices {
    std::u16string language{kEnglishByDefault};
    std::u16string skin{kDefaultSkin};
};

bool writeStrIni(const fs::path& path, const StrIniChoices& choices) {
    std::error_code ec;
    fs::remove(path, ec);
    trv::PortableProfileStore store(path.u16string());
    namespace ini = trv::ini;
    bool ok = store.write(ini::kSkinsSection, ini::kLanguageKey, choices.language) &&
              store.write(ini::kSkinsSection, ini::kSkinPathKey, choices.skin) &&
              store.write(ini::kSkinsSection, ini::kRedKey, kLightGrey) &&
              store.write(ini::kSkinsSection, ini::kGreenKey, kLightGrey) &&
              store.write(ini::kSkinsSection, ini::kBlueKey, kLightGrey);
    for (trv::Language language : kLanguages) {
        trv::ButtonLabels labels;
        trv::setDefaultLabels(labels, language);
        trv::SaveIniStore(store, trv::text(language, trv::TextId::SettingsSection), labels);
    }
    trv::ButtonLabels check;
    trv::SkinSettings skin;
    trv::LoadIniStore(store, trv::text(trv::Language::English, trv::TextId::SettingsSection), check,
                      skin);
    ok = ok && skin.path == choices.skin && !check.of(trv::Mode::A, 1).empty();
    if (!ok) std::cerr << "cannot write " << path << "\n";
    return ok;
}

int usage() {
    std::cerr << "usage: trv_make_defaults [--keep] [--language CODE] [--skin NAME] <folder>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool keep = false;
    StrIniChoices choices;
    std::optional<fs::path> folder;
    const auto ascii = [](std::string_view text) {
        return std::u16string(text.begin(), text.end());
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--keep") {
            keep = true;
        } else if ((arg == "--language" || arg == "--skin") && i + 1 < argc) {
            (arg == "--language" ? choices.language : choices.skin) = ascii(argv[++i]);
        } else if (!folder && !arg.starts_with("--")) {
            folder = fs::path(arg);
        } else {
            return usage();
        }
    }
    if (!folder) return usage();

    std::error_code ec;
    fs::create_directories(*folder, ec);
    if (!fs::is_directory(*folder, ec)) {
        std::cerr << "not a folder: " << *folder << "\n";
        return 1;
    }
    bool ok = true;
    const fs::path configBin = *folder / "config.bin";
    const fs::path strIni = *folder / "str.ini";
    if (!keep || !fs::exists(configBin, ec)) ok = writeConfigBin(configBin) && ok;
    if (!keep || !fs::exists(strIni, ec)) ok = writeStrIni(strIni, choices) && ok;
    return ok ? 0 : 1;
}
