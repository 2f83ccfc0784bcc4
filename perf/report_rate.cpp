#include "perf/report_rate.h"

#include <array>

namespace trv {

namespace {

struct Knob {
    std::uint8_t code;
    std::u16string_view label;
    TextId notification;
};

// Knobs 1..4 from the left.
constexpr std::array<Knob, kReportRateKnobs> kKnobs{{
    {8, u"125", TextId::ReportRate125},
    {4, u"250", TextId::ReportRate250},
    {2, u"500", TextId::ReportRate500},
    {1, u"1000", TextId::ReportRate1000},
}};

const Knob* knobAt(int knob) {
    return knob >= 1 && knob <= kReportRateKnobs ? &kKnobs[static_cast<std::size_t>(knob - 1)]
                                                 : nullptr;
}

}  // namespace

int knobOfReportRateCode(std::uint8_t code) {
    for (std::size_t i = 0; i < kKnobs.size(); ++i) {
        if (kKnobs[i].code == code) return static_cast<int>(i) + 1;
    }
    return kReportRateKnobs;
}

std::uint8_t reportRateCodeOfKnob(int knob) {
    const Knob* k = knobAt(knob);
    return k != nullptr ? k->code : 0;
}

std::u16string_view reportRateKnobLabel(int knob) {
    const Knob* k = knobAt(knob);
    return k != nullptr ? k->label : std::u16string_view{};
}

std::optional<TextId> reportRateText(std::uint8_t code) {
    for (const Knob& k : kKnobs) {
        if (k.code == code) return k.notification;
    }
    return std::nullopt;
}

std::optional<int> selectReportRate(SettingsRecord& record, int knob) {
    const Knob* k = knobAt(knob);
    if (k == nullptr) return std::nullopt;
    const int lit = knobOfReportRateCode(record[rec::kReportRateCode]);
    record[rec::kReportRateCode] = k->code;
    if (lit == knob) return std::nullopt;
    return lit;
}

}  // namespace trv
