#pragma once
// The labels of the six assignment dialogs in the four interface languages.
// Each dialog picks its set by the same language as the main window when it
// opens. Every set starts with the OK and Cancel captions; the list dialogs
// (hot key, multimedia, Windows functions) go on with the choice text shown
// before any pick, then the names of their functions.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "lang/text_table.h"

namespace trv {

enum class DialogLabelSet : std::uint8_t {
    FireKey,
    HotKey,
    Multimedia,
    SingleKey,
    SnipeKey,
    WindowsFunctions,
};

// Positions within every set.
namespace dialog_label {
inline constexpr std::size_t kOk = 0;
inline constexpr std::size_t kCancel = 1;
// In the list dialogs: the choice text before the user picks anything.
inline constexpr std::size_t kFirstChoice = 2;
}  // namespace dialog_label

// Positions within the fire key set.
namespace fire_label {
inline constexpr std::size_t kLButton = 2;  // the key box's text before a pick
inline constexpr std::size_t kSpeed = 3;
inline constexpr std::size_t kTimes = 4;
inline constexpr std::size_t kMakeTime = 5;
inline constexpr std::size_t kBreakTime = 6;
inline constexpr std::size_t kIllustration = 7;
inline constexpr std::size_t kTimeRange = 8;
inline constexpr std::size_t kTimesRange = 9;
}  // namespace fire_label

// Positions within the single key set.
namespace single_label {
inline constexpr std::size_t kPleaseEnterKey = 2;
}  // namespace single_label

// The whole set, in order. A language value outside the four reads as English.
std::span<const std::u16string_view> dialogLabels(DialogLabelSet set, Language language);

// One label of a set; empty when the set has no such position.
std::u16string_view dialogLabel(DialogLabelSet set, Language language, std::size_t position);

// The items of a list dialog's drop-down list, item n being the function the
// mouse knows as number n of that dialog. The Windows functions set also names
// "Browser-Stop" and "Browser-My Favorites", which the mouse has no function
// for; they are not items. Dialogs without such a list get no items.
std::vector<std::u16string_view> dialogListItems(DialogLabelSet set, Language language);

}  // namespace trv
