#pragma once
// The settings page's life in one value: whether it was ever built (the
// first-time preparation runs once), whether it is shown and live, whether a
// Cancel asks for a rebuild at the next showing, and the teardown between.

#include <cstdint>

namespace trv {

// What the pointer layer and the pre-filter read: 0 not drawn, 1 shown and
// live, 2 being torn down for a rebuild.
enum class PageState : std::uint8_t { NotBuilt = 0, Shown = 1, TearingDown = 2 };

enum class PageLife : std::uint8_t {
    NeverBuilt,
    NeverBuiltCancelled,  // Cancel pressed on a window shown without a page
    Shown,
    ShownCancelled,  // Cancel pressed since the window was last shown
    TearingDown,
    TornDown,  // between the teardown and the rebuild
};

constexpr PageState pageStateOf(PageLife life) {
    switch (life) {
        case PageLife::Shown:
        case PageLife::ShownCancelled:
            return PageState::Shown;
        case PageLife::TearingDown:
            return PageState::TearingDown;
        case PageLife::NeverBuilt:
        case PageLife::NeverBuiltCancelled:
        case PageLife::TornDown:
            break;
    }
    return PageState::NotBuilt;
}

constexpr bool everBuilt(PageLife life) {
    return life != PageLife::NeverBuilt && life != PageLife::NeverBuiltCancelled;
}

constexpr PageLife cancelled(PageLife life) {
    switch (life) {
        case PageLife::NeverBuilt:
            return PageLife::NeverBuiltCancelled;
        case PageLife::Shown:
            return PageLife::ShownCancelled;
        default:
            return life;
    }
}

}  // namespace trv
