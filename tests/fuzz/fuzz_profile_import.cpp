// A profile to import is written by hand or by scripts: any bytes must be
// read without harm, and whatever reads without a problem must come back the
// same through an export and a second import. The base record holds bytes the
// page cannot set; the export shows those as "byte N", and the second import
// may refuse those lines and no other.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "config/profile_store_text.h"
#include "settings/profile_text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Line n (from 1) of an exported profile, whose lines end in CR LF.
std::u16string_view lineAt(std::u16string_view text, std::size_t n) {
    for (std::size_t line = 1; line < n; ++line) {
        const std::size_t end = text.find(u'\n');
        if (end == std::u16string_view::npos) return {};
        text.remove_prefix(end + 1);
    }
    return text.substr(0, text.find(u'\r'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = trv::profile::decode(std::span<const std::uint8_t>(data, size)).text;
    trv::SettingsRecord base;
    for (std::size_t i = 0; i < base.bytes.size(); ++i) {
        base.bytes[i] = static_cast<std::uint8_t>(i * 37);
    }
    const trv::ButtonLabels baseLabels;

    const trv::readable::ImportedProfile imported =
        trv::readable::importProfile(text, base, baseLabels);
    if (!imported.problems.empty()) return 0;

    for (std::uint8_t sensorType : {0, 1}) {
        const std::u16string exported =
            trv::readable::exportProfile(imported.record, imported.labels, sensorType);
        const trv::readable::ImportedProfile again =
            trv::readable::importProfile(exported, imported.record, imported.labels);
        for (const trv::readable::ProfileProblem& problem : again.problems) {
            check(problem.line != 0);
            check(lineAt(exported, problem.line).find(u"byte ") != std::u16string_view::npos);
        }
        if (!again.problems.empty()) continue;
        check(again.record == imported.record);
        check(again.labels == imported.labels);
    }
    return 0;
}
