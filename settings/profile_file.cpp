#include "settings/profile_file.h"

#include <algorithm>

#include "config/ascii_case.h"
#include "config/block_backup.h"
#include "config/profile_store_text.h"

namespace trv {

ProfileFile readProfileFile(SettingsFileSystem& files, const std::u16string& path) {
    const ReadResult read = files.readWithCause(path, kMaxProfileBytes);
    if (!read.bytes) return {ProfileFileProblem::Unreadable, read.systemError, {}};
    const std::vector<std::uint8_t>& bytes = *read.bytes;
    if (bytes.size() >= backup::kMagic.size() &&
        std::equal(backup::kMagic.begin(), backup::kMagic.end(), bytes.begin())) {
        return {ProfileFileProblem::Backup, 0, {}};
    }
    return {ProfileFileProblem::None, 0, profile::decode(bytes).text};
}

std::vector<std::uint8_t> profileFileBytes(std::u16string_view text) {
    return profile::encode({profile::Encoding::Utf8WithBom, std::u16string(text)});
}

std::u16string profilesFolder(const SettingsFilePaths& paths) {
    const char16_t separator = !paths.folder.empty() && paths.folder.back() == u'/' ? u'/' : u'\\';
    return paths.folder + u"Profiles" + separator;
}

std::vector<std::u16string> profileNames(SettingsFileSystem& files, const std::u16string& folder) {
    std::vector<std::u16string> names = files.filesIn(folder, kProfileExtension);
    for (std::u16string& name : names) name.resize(name.size() - kProfileExtension.size());
    const auto folded = [](std::u16string_view name) {
        std::u16string lower(name);
        for (char16_t& c : lower) c = asciiLower(c);
        return lower;
    };
    std::sort(names.begin(), names.end(), [&](const std::u16string& a, const std::u16string& b) {
        const std::u16string fa = folded(a);
        const std::u16string fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

std::u16string profilePath(const std::u16string& folder, std::u16string_view name) {
    return folder + std::u16string(name) + std::u16string(kProfileExtension);
}

bool inFolder(std::u16string_view folder, std::u16string_view path) {
    const std::u16string_view parent = path.substr(0, path.size() - fileNameOf(path).size());
    const auto same = [](char16_t a, char16_t b) {
        const auto fold = [](char16_t c) { return c == u'/' ? u'\\' : asciiLower(c); };
        return fold(a) == fold(b);
    };
    return parent.size() == folder.size() &&
           std::equal(parent.begin(), parent.end(), folder.begin(), same);
}

std::u16string_view fileNameOf(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string_view profileNameOf(std::u16string_view path) {
    const std::u16string_view name = fileNameOf(path);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace trv
