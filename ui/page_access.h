#pragma once
// The page's controls as screen readers meet them: one accessible child per
// focus stop, in the focus order, each with a name in the user's language, a
// role, a state, a value, its place and the action its press does. The
// window's accessible object only hands these out; it decides nothing.

#include <string>
#include <vector>

#include "ui/page_draw.h"
#include "ui/page_focus.h"
#include "ui/page_redraw.h"
#include "ui/page_state.h"

namespace trv::ui {

enum class AccessRole : unsigned char { PushButton, CheckBox, RadioButton, Slider, ComboBox, Link };

enum AccessState : unsigned {
    kAccessFocusable = 1u << 0,
    kAccessFocused = 1u << 1,
    kAccessChecked = 1u << 2,
    kAccessPressed = 1u << 3,  // the mode shown: its button is lit
    kAccessExpanded = 1u << 4,
    kAccessCollapsed = 1u << 5,
    kAccessUnavailable = 1u << 6,  // the page is not live (no mouse yet), or a colour not to choose
};

struct AccessibleControl {
    std::u16string name;
    AccessRole role = AccessRole::PushButton;
    unsigned state = 0;
    std::u16string value;          // "800 DPI", "1000 Hz", "6 of 11"; empty when none
    std::u16string defaultAction;  // empty when the control has none
    Rect rect;                     // the page's 96-DPI numbers
};

struct AccessContext {
    bool pageLive = false;
    int focusedStop = -1;  // -1 unless the window has the keyboard focus
    const OpenLists& lists;
};

std::u16string controlName(int stop, Language language);
// The drop-down lists are the system's list boxes and speak for themselves;
// this is the name their owner gives them: their box's.
std::u16string listName(ListId list, Language language);
AccessibleControl describeControl(int stop, const PageView& view, const AccessContext& context);

// What screen readers are to be told after a change the page redraws.
enum class AccessEvent : unsigned char { ValueChange, StateChange };
struct AccessChange {
    int stop = 0;
    AccessEvent event = AccessEvent::ValueChange;
    bool operator==(const AccessChange&) const = default;
};
// From the redraw of a press, a key or a list choice (not of the over looks,
// which change nothing a reader says); each change once.
std::vector<AccessChange> accessChanges(const Redraw& redraw);

}  // namespace trv::ui
