#include "app/balloon.h"

#include <array>

#include "perf/report_rate.h"

namespace trv {

namespace {

constexpr std::uint32_t kShortNoticeMs = 5000;
constexpr std::uint32_t kPresenceNoticeMs = 100;
// A refusal names a file, a line and the problem: time to read them.
constexpr std::uint32_t kRefusalMs = 10000;
constexpr std::u16string_view kInfo = u"Info";
constexpr std::u16string_view kWarning = u"Warning";

struct ArgumentText {
    std::int64_t argument;
    TextId text;
};

constexpr std::array<ArgumentText, 4> kStageTexts{{
    {1, TextId::DpiStage1},
    {2, TextId::DpiStage2},
    {3, TextId::DpiStage3},
    {4, TextId::DpiStage4},
}};

constexpr std::array<ArgumentText, 2> kKeyMatrixTexts{{
    {1, TextId::KeyMatrix1},
    {2, TextId::KeyMatrix2},
}};

template <std::size_t N>
std::optional<TextId> textOf(const std::array<ArgumentText, N>& table, std::int64_t argument) {
    for (const ArgumentText& row : table) {
        if (row.argument == argument) return row.text;
    }
    return std::nullopt;
}

Balloon info(std::u16string text) {
    return Balloon{std::move(text), std::u16string(kInfo), kShortNoticeMs};
}

}  // namespace

std::optional<Balloon> balloonFor(std::uint32_t code, std::int64_t argument, Language language,
                                  const StageDpiLabel& stageDpiLabel) {
    auto rowText = [language](TextId id) { return std::u16string(text(language, id)); };
    switch (code) {
        case balloon_code::kReportRate:
            if (argument < 0 || argument > 0xFF) return std::nullopt;
            if (auto id = reportRateText(static_cast<std::uint8_t>(argument))) {
                return info(rowText(*id));
            }
            return std::nullopt;
        case balloon_code::kDpiStage:
            if (auto id = textOf(kStageTexts, argument)) {
                std::u16string label =
                    stageDpiLabel ? stageDpiLabel(static_cast<int>(argument)) : std::u16string();
                return info(rowText(*id) + label);
            }
            return std::nullopt;
        case balloon_code::kKeyMatrix:
            if (auto id = textOf(kKeyMatrixTexts, argument)) return info(rowText(*id));
            return std::nullopt;
        case balloon_code::kMacroKey:
            if (argument == 0) return std::nullopt;
            return info(rowText(TextId::MacroKey) + decimalText(argument));
        case balloon_code::kMouseFound:
            return Balloon{rowText(TextId::MouseDetected), std::u16string(kInfo),
                           kPresenceNoticeMs};
        case balloon_code::kSeveralMiceFound:
            // Long enough to be read: which mouse is set matters.
            return info(rowText(TextId::SeveralMiceDetected));
        case balloon_code::kMouseMissing:
            return Balloon{rowText(TextId::MouseNotDetected), std::u16string(kWarning),
                           kPresenceNoticeMs};
        case balloon_code::kSettingsChanged:
            return info(rowText(TextId::SettingsChangedOutside));
        default:
            return std::nullopt;
    }
}

Balloon noticeBalloon(std::u16string text, bool warning) {
    return Balloon{std::move(text), std::u16string(warning ? kWarning : kInfo),
                   warning ? kRefusalMs : kShortNoticeMs};
}

}  // namespace trv
