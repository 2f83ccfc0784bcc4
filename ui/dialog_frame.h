#pragma once
// What the six assignment dialogs share, apart from the window system: their
// templates, background images and the captions of their load failures, the
// OK, Cancel and close image buttons and their looks under the pointer, and
// the drop-down (a box that opens a list) of the list dialogs and the fire-key
// dialog.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/dialog_labels.h"
#include "lang/text_table.h"
#include "ui/assignment_dialog_ids.h"
#include "ui/canvas.h"

namespace trv::ui {

enum class DialogKind : std::uint8_t {
    SingleKey,
    WindowsFunction,
    Multimedia,
    FireKey,
    Snipe,
    HotKey
};

struct DialogLook {
    int templateId;
    TextId name;                         // the dialog's window text, which screen readers announce
    std::u16string_view background;      // appended to the skin folder
    std::u16string_view failureCaption;  // of the box that says the background did not load
    DialogLabelSet labels;
};
const DialogLook& dialogLook(DialogKind kind);

// The text of the box whose caption says which background did not load.
inline constexpr std::u16string_view kBackgroundFailureText = u"error";

namespace dialog_layout {
inline constexpr Rect kOk{166, 253, 271, 274};
inline constexpr Rect kCancel{271, 253, 376, 274};
inline constexpr Rect kClose{352, 6, 370, 24};
// The single-key dialog's key name and the prompt above it.
inline constexpr Rect kKeyName{73, 128, 151, 144};
inline constexpr Rect kKeyPrompt{43, 108, 181, 124};
// Below them, the hint that the field takes every key and how to leave it.
inline constexpr Rect kKeyHint{30, 156, 194, 236};
inline constexpr std::u16string_view kButtonNormal = u"/button-normal.png";
inline constexpr std::u16string_view kButtonOver = u"/button-over.png";
inline constexpr std::u16string_view kCloseNormal = u"/button-close-normal.png";
inline constexpr std::u16string_view kCloseOver = u"/button-close-over.png";
}  // namespace dialog_layout

enum class FrameButton : std::uint8_t { None, Ok, Cancel, Close };

// OK and Cancel stand side by side, each on its own columns.
FrameButton frameButtonAt(int x, int y);

struct FrameLooks {
    bool ok = false;  // true: drawn as under the pointer
    bool cancel = false;
    bool close = false;
    bool operator==(const FrameLooks&) const = default;
};

// The image buttons light up after the pointer rests on them briefly, and go
// back when it leaves all three.
class FrameHover {
  public:
    struct Move {
        bool askForHover = false;  // the pointer is on a button: ask to be told when it rests
        bool redraw = false;       // the looks changed
    };
    Move moved(int x, int y);
    // The pointer rests at (x, y). True when the looks changed.
    bool rested(int x, int y);
    const FrameLooks& looks() const { return looks_; }

  private:
    FrameLooks looks_;
};

// The geometry of a drop-down: the box, the control that shows the choice in
// it, and the list that a click on the box opens (control ids for both).
struct DropDownLayout {
    Rect box;
    int textId;
    Rect text;
    int listId;
    Rect list;
};
// Every kind except the single-key dialog, which has no drop-down.
const DropDownLayout& dropDownLayout(DialogKind kind);

// The choice of a drop-down and whether its list is open. A click on the
// box opens or closes the list; a click elsewhere closes it; a pick from the
// list sets the choice and closes it.
class DropDownChoice {
  public:
    DropDownChoice(std::vector<std::u16string> items, std::uint8_t index, std::u16string text);

    enum class Click : std::uint8_t { None, Opened, Closed };
    // A left click on the dialog's own surface (not on the list).
    Click click(int x, int y, const DropDownLayout& layout);
    // The keyboard's way: opens or closes the list as a click on the box does.
    Click toggle();
    // Moves the choice by `delta` items, stopping at the first and the last;
    // false when it stays where it is.
    bool step(int delta);
    // The list's selection or double-click; false, changing nothing, when it
    // names no item.
    bool pick(int item);

    std::uint8_t index() const { return index_; }
    const std::u16string& text() const { return text_; }
    bool listOpen() const { return open_; }
    const std::vector<std::u16string>& items() const { return items_; }

  private:
    std::vector<std::u16string> items_;
    std::uint8_t index_;
    std::u16string text_;
    bool open_ = false;
};

// The drop-down of a list dialog as it opens: the function dialogs start on
// their first function, the snipe dialog on the mode's level among the levels
// of the sensor type (none for an unknown sensor).
DropDownChoice functionDropDown(DialogKind kind, Language language);
DropDownChoice snipeDropDown(std::uint8_t sensorType, std::uint8_t level);
// The fire-key dialog's key list, starting on its first key.
DropDownChoice fireKeyDropDown(Language language);

}  // namespace trv::ui
