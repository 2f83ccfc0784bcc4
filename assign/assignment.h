#pragma once
// The fourteen things a mouse button can do, the two bytes (code, parameter)
// that carry a button's assignment in the configuration block, and the texts
// shown for an assignment in the button's drop-down box.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/button_labels.h"
#include "config/settings_record.h"
#include "lang/text_table.h"

namespace trv {

// The value is the item's position in a button's assignment list and is
// stored as one byte of the settings record.
enum class AssignmentType : std::uint8_t {
    LeftClick = 0,
    RightClick = 1,
    MidClick = 2,
    Forward = 3,
    Backward = 4,
    DpiSwitch = 5,
    Windows = 6,
    Multimedia = 7,
    HotKey = 8,
    FireKey = 9,
    SingleKey = 10,
    SnipeKey = 11,
    KeyOff = 12,
    Shift = 13,
};
inline constexpr std::size_t kAssignmentTypeCount = 14;

// The list text of a type in value order; out-of-range values have none.
std::u16string_view assignmentListText(Language language, AssignmentType type);

// The fourteen list items of a button's assignment list, in value order.
std::array<std::u16string_view, kAssignmentTypeCount> assignmentListItems(Language language);

struct AssignmentPair {
    std::uint8_t code = 0;
    std::uint8_t parameter = 0;
    bool operator==(const AssignmentPair&) const = default;
};

// The parameter byte tells the classes of assignment apart.
namespace pair_class {
inline constexpr std::uint8_t kButtonOrKey = 0x00;
inline constexpr std::uint8_t kFunction = 0x02;  // code names a function-table entry
inline constexpr std::uint8_t kSpecial = 0x03;   // DPI steps, Shift, snipe
inline constexpr std::uint8_t kFireKey = 0x80;   // low seven bits: repeat count
}  // namespace pair_class

// DPI steps a "DPI Switch" button can make, as stored in dpiSwitchCode.
namespace dpi_switch {
inline constexpr std::uint8_t kUp = 0x03;
inline constexpr std::uint8_t kDown = 0x04;
inline constexpr std::uint8_t kLoop = 0x05;
}  // namespace dpi_switch

inline constexpr std::uint8_t kMaxFireTimes = 0x7F;

// The pair of button 1..8 of a mode, from its assignType and that type's
// parameter fields. An unknown type, or a button outside 1..8, gives (0, 0).
AssignmentPair encodeAssignment(const SettingsRecord& record, Mode mode, std::size_t button);

// The image offset of the pair of button 1..8 of a mode: Mode A's pairs in
// button order, Mode B's with buttons 4 and 5 exchanged, as the mouse keeps them.
std::size_t pairOffset(Mode mode, std::size_t button);

// What a pair says, read back the way the page would have set it up: the type,
// the value of the one parameter field the type reads (0 for types without
// one) and, for a fire key, the repeat count. Where two assignments send the
// same pair (a single key "L-Button" and Left Click, a single key that was not
// recognised and Key Off) the list's own item is given. Pairs no assignment
// sends give nothing.
struct Assignment {
    AssignmentType type = AssignmentType::LeftClick;
    std::uint8_t parameter = 0;
    std::uint8_t fireTimes = 0;
    bool operator==(const Assignment&) const = default;
};
std::optional<Assignment> decodeAssignment(AssignmentPair pair);

// The record field (rec::k...) a type takes its parameter from; nothing for a
// type without one. A fire key also takes rec::kFireTimes.
std::optional<std::size_t> parameterField(AssignmentType type);

// The DPI sub-list: item 0..2 is "DPI +", "DPI -", "DPI Loop", the same in
// every language.
inline constexpr std::size_t kDpiSwitchItemCount = 3;
std::u16string_view dpiSwitchItemText(std::size_t item);
std::uint8_t dpiSwitchCodeOfItem(std::size_t item);  // 3, 4, 5; 0 beyond the list

// Labels of the drop-down boxes. Windows functions and hot keys are labelled
// with their bare function text.
std::u16string listItemLabel(Language language, AssignmentType type);
std::u16string dpiSwitchLabel(std::uint8_t dpiSwitchCode);  // empty for a code not 3..5
std::u16string multimediaLabel(Language language, std::u16string_view functionText);
std::u16string fireKeyLabel(Language language, std::u16string_view keyText);
std::u16string singleKeyLabel(Language language, std::u16string_view keyName);

// Labels of buttons 1..8 in both modes as after "Default" or a first run.
void setDefaultLabels(ButtonLabels& labels, Language language);

// The page's "Default" button: both modes get the factory assignment types and
// labels; every parameter field except button 6's dpiSwitchCode stays.
void restoreDefaultAssignments(SettingsRecord& record, ButtonLabels& labels, Language language);

}  // namespace trv
