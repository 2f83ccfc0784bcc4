// A profile to import is written by hand or by scripts: any bytes must be
// read without harm, and whatever reads without a problem must come back the
// same through an export and a second import.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "config/profile_store_text.h"
#include "ctl/profile_text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = trv::profile::decode(std::span<const std::uint8_t>(data, size)).text;
    trv::SettingsRecord base;
    for (std::size_t i = 0; i < base.bytes.size(); ++i) {
        base.bytes[i] = static_cast<std::uint8_t>(i * 37);
    }
    const trv::ButtonLabels baseLabels;

    const trv::ctl::ImportedProfile imported = trv::ctl::importProfile(text, base, baseLabels);
    if (!imported.problems.empty()) return 0;

    for (std::uint8_t sensorType : {0, 1}) {
        const std::u16string exported =
            trv::ctl::exportProfile(imported.record, imported.labels, sensorType);
        const trv::ctl::ImportedProfile again =
            trv::ctl::importProfile(exported, imported.record, imported.labels);
        check(again.problems.empty());
        check(again.record == imported.record);
        check(again.labels == imported.labels);
    }
    return 0;
}
