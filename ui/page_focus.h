#pragma once
// The page's keyboard: the order the focus takes through the page's controls
// and what each key does there. A key never changes a setting itself: it
// becomes a press at the point of the control that the pointer would press
// (a knob, a segment, a tick, a button's middle), so that the pointer's rules
// and model operations, and the bytes they lead to, serve both. Open lists
// take the keys while the focus is on their box.

#include <optional>
#include <vector>

#include "config/settings_record.h"
#include "ui/canvas.h"
#include "ui/page_press.h"
#include "ui/page_state.h"

namespace trv::ui {

enum class FocusKind : unsigned char {
    ModeA,
    ModeB,
    Box,  // index: button 1..7
    Default,
    ReportRate,     // one stop for the four knobs
    LightingBox,    // index: 1 mode, 2 parameter, 3 effect
    Stage,          // index: 1..4; arrows set the level, Space ticks
    Swatch,         // index: 1..4
    PointerSlider,  // index: 1 speed, 2 scroll lines, 3 double-click
    PointerTick,    // index: 1 precision, 2 one screen
    Link,
    Ok,
    Apply,
    Cancel,
    Minimise,
    Close,
};

struct FocusStop {
    FocusKind kind = FocusKind::ModeA;
    int index = 0;
    bool operator==(const FocusStop&) const = default;
};

inline constexpr int kFocusStops = 33;

// Stop 0..32 in reading order; also the page's accessible children, in order.
FocusStop focusStop(int stop);
int stopIndex(FocusStop stop);  // -1 for a stop the page does not have
// The stop a pointer press on the element lands on; nothing for the background.
std::optional<int> stopOfPress(const PagePress& press);
// Only the window frame's stops (link, OK, Apply, Cancel, minimise, close)
// answer before the page is live, as their presses do.
bool stopAnswers(int stop, bool pageLive);

// Where the control lies, in the page's 96-DPI numbers (a slider's whole row
// of segments, the report rate's four knobs with their labels).
Rect controlRect(int stop);
// The focus mark: a frame two pixels wide just outside the control, kept on
// the page.
inline constexpr int kFocusMarkWidth = 2;
Rect focusMarkRect(int stop);

// The focus and whether its mark shows: it shows from the first key on, as
// focus marks do in Windows, so that the pointer's user never sees it.
struct PageFocus {
    int stop = -1;  // -1: none yet; the first Tab goes to stop 0
    bool markShown = false;
    bool inSubList = false;  // the keys act on the DPI sub-list
};

enum class Key : unsigned char {
    Tab,
    ShiftTab,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    Space,
    Enter,
    Escape,
    ModeToggle,  // Alt+M
};

// An open list that the keys act on, as the window finds it.
struct OpenListKeys {
    ListId id = ListId::LightMode;
    int selection = -1;  // none
    int count = 0;
};

struct KeyStep {
    enum class Kind : unsigned char {
        Focus,       // stop: the new focus (the mark shows)
        Press,       // x, y: a press there, as the pointer's
        SelectItem,  // list, item: the selection moves (no choice yet)
        Choose,      // list: its selection is chosen, as a click on it would
        SubList,     // item: 1 the keys go into the DPI sub-list, 0 back out
        Hide,        // Enter or Escape with no list open
    };
    Kind kind = Kind::Focus;
    int stop = -1;
    int x = 0;
    int y = 0;
    ListId list = ListId::LightMode;
    int item = 0;
    bool operator==(const KeyStep&) const = default;
};

struct KeyContext {
    const SettingsRecord& record;
    bool pageLive = false;
    // The list of the focused box when one is open (for the sub-list: the
    // sub-list itself while the keys are in it), and whether the DPI
    // sub-list is shown beside an assignment list.
    std::optional<OpenListKeys> list;
    bool subListShown = false;
};

// The steps a key leads to, in order; none when the key means nothing there.
std::vector<KeyStep> pageKeySteps(const PageFocus& focus, Key key, const KeyContext& context);

// The list the keys act on for this focus, when it is open: the focused
// box's list, or the DPI sub-list while the keys are in it.
std::optional<ListId> listOfFocus(const PageFocus& focus);

}  // namespace trv::ui
