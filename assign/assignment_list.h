#pragma once
// The rules of a button's assignment list on the main page: when the list may
// open, what a picked item does to the settings record and the labels (with
// the detail dialogs it runs), and the DPI sub-list. The dialogs are reached
// through AssignmentDialogs, so the rules run the same with the real dialogs
// and with scripted answers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "assign/assignment.h"
#include "config/button_labels.h"
#include "config/settings_record.h"
#include "lang/text_table.h"

namespace trv {

// What a function dialog (Windows function, multimedia function, hot key)
// returns on OK: the function's number and the text the user saw.
struct FunctionChoice {
    std::uint8_t index = 0;
    std::u16string text;
    bool operator==(const FunctionChoice&) const = default;
};
using WindowsChoice = FunctionChoice;
using MediaChoice = FunctionChoice;
using HotKeyChoice = FunctionChoice;

struct FireKeyChoice {
    std::uint8_t keyPosition = 0;  // in the fire-key key list, 0..58
    std::u16string keyText;
    std::uint8_t repeatCount = 1;  // 0 repeats until the button is released
    std::uint8_t makeTime = 5;
    std::uint8_t breakTime = 5;
    bool operator==(const FireKeyChoice&) const = default;
};

struct SingleKeyChoice {
    std::u16string keyName;     // as the system named the last key event
    std::uint32_t keyData = 0;  // that event's key data: scan code and extended bit
    bool operator==(const SingleKeyChoice&) const = default;
};

struct SnipeChoice {
    std::uint8_t level = 0;
    bool operator==(const SnipeChoice&) const = default;
};

// The six detail dialogs, each run modally; an empty result means the user
// left it without OK.
class AssignmentDialogs {
  public:
    virtual ~AssignmentDialogs() = default;
    virtual std::optional<WindowsChoice> windowsFunction() = 0;
    virtual std::optional<MediaChoice> multimedia() = 0;
    virtual std::optional<HotKeyChoice> hotKey() = 0;
    virtual std::optional<FireKeyChoice> fireKey() = 0;
    virtual std::optional<SingleKeyChoice> singleKey() = 0;
    // The level the mode has now is where the dialog starts.
    virtual std::optional<SnipeChoice> snipe(std::uint8_t currentLevel) = 0;
};

struct AssignmentMessage {
    std::u16string_view text;
    std::u16string_view caption;
    bool operator==(const AssignmentMessage&) const = default;
};

// What the page shows when a change would leave a mode without Left Click.
AssignmentMessage leftKeyWarning(Language language);

// The Left-key rule: a button's list opens unless that button is the only
// one of the eight (button 8 included) on Left Click in the mode shown.
bool mayOpenAssignmentList(const SettingsRecord& record, Mode shown, int button);

struct CommitOutcome {
    bool listCloses = false;
    bool changed = false;  // the record or a label changed: redraw the button's box
    std::optional<AssignmentMessage> message;
};

// Item listIndex (0..13; -1 for no selection) picked in the list of button
// 1..8 in the mode shown. "DPI Switch" and no selection leave the list open
// and change nothing; the DPI step comes from the sub-list.
CommitOutcome commitAssignment(SettingsRecord& record, ButtonLabels& labels, Language language,
                               Mode shown, int button, int listIndex, AssignmentDialogs& dialogs);

// Which button's assignment list is open; at most one is.
class OpenAssignmentList {
  public:
    std::optional<int> button() const { return button_; }
    bool isOpen(int button) const { return button_ == button; }
    void open(int button) { button_ = button; }
    void close() { button_.reset(); }

  private:
    std::optional<int> button_;
};

// A selection or double-click notification of button's list. Only a list
// that is open commits, and it counts as closed before any dialog runs, so
// the second notification of a double click changes nothing.
CommitOutcome commitFromList(OpenAssignmentList& open, SettingsRecord& record, ButtonLabels& labels,
                             Language language, Mode shown, int button, int listIndex,
                             AssignmentDialogs& dialogs);

// Item 0..2 ("DPI +", "DPI -", "DPI Loop") of the DPI sub-list, which belongs
// to the open assignment list: its button becomes a DPI switch in the mode
// shown only, and that list closes. Returns the button whose box changed;
// nothing when no list is open or the item is not one of the three.
std::optional<int> commitDpiSubList(OpenAssignmentList& open, SettingsRecord& record,
                                    ButtonLabels& labels, Mode shown, int item);

}  // namespace trv
