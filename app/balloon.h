#pragma once
// Which balloon the notification icon shows for a balloon request (code and
// argument), as other processes and the program itself post them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "lang/text_table.h"

namespace trv {

namespace balloon_code {
inline constexpr std::uint32_t kReportRate = 5;  // argument: report-rate code 1, 2, 4, 8
inline constexpr std::uint32_t kDpiStage = 7;    // argument: stage 1..4
inline constexpr std::uint32_t kKeyMatrix = 8;   // argument: 1, 2
inline constexpr std::uint32_t kMacroKey = 9;    // argument: macro number, not 0
inline constexpr std::uint32_t kMouseFound = 14;
inline constexpr std::uint32_t kMouseMissing = 15;
inline constexpr std::uint32_t kSettingsChanged = 16;  // another program changed the settings
// Found, with more than one mouse of the model present: only the first is set.
inline constexpr std::uint32_t kSeveralMiceFound = 18;
}  // namespace balloon_code

struct Balloon {
    std::u16string text;
    std::u16string title;
    std::uint32_t timeoutMs = 0;
    bool operator==(const Balloon&) const = default;
};

// The DPI label of a stage's current level ("3200", ...), for stage 1..4.
using StageDpiLabel = std::function<std::u16string(int stage)>;

// The balloon for a request, or nothing for an unknown code or an argument the
// code does not list.
std::optional<Balloon> balloonFor(std::uint32_t code, std::int64_t argument, Language language,
                                  const StageDpiLabel& stageDpiLabel);

// A balloon of the program's own text: a notice, or a warning when something
// was refused.
Balloon noticeBalloon(std::u16string text, bool warning = false);

}  // namespace trv
