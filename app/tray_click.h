#pragma once
// What a left click on the notification icon does, decided from the main
// window's state; the window carries the plan out.

#include <cstdint>

namespace trv {

// 0: the page is not drawn; 1: shown and live; 2: being torn down for a rebuild.
enum class PageState : std::uint8_t { NotBuilt = 0, Shown = 1, TearingDown = 2 };

struct TrayClickPlan {
    bool warnMouseMissing = false;    // balloon 15 instead of showing the window
    bool rebuildAfterCancel = false;  // tear down, reload str.ini, build from the restored record
    bool firstBuild = false;          // the mouse was missing at start: build the page now
    bool show = false;
    bool operator==(const TrayClickPlan&) const = default;
};

// Consumes the Cancel mark when the click acts on it.
TrayClickPlan planTrayClick(bool mousePresent, bool& cancelMark, PageState page, bool everBuilt);

}  // namespace trv
