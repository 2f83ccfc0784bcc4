#pragma once
// What the page shows beyond the settings record: which drop-down lists are
// open and which elements wear their over look. Held by the main window's
// model; the rules that change it live beside it in ui/.

#include <array>
#include <optional>

#include "assign/assignment_list.h"

namespace trv::ui {

// The page's drop-down lists, by their control ids.
enum class ListId : int {
    DpiSubList = 40,
    Assignment1 = 41,  // ... Assignment7 = 47
    LightMode = 60,
    LightParameter = 61,
    LightEffect = 62,
};

constexpr ListId assignmentList(int button) {  // 1..7
    return static_cast<ListId>(static_cast<int>(ListId::Assignment1) + button - 1);
}
// The button (1..7) whose assignment list `list` is; nothing for other lists.
constexpr std::optional<int> buttonOfList(ListId list) {
    const int button = static_cast<int>(list) - static_cast<int>(ListId::Assignment1) + 1;
    if (button < 1 || button > 7) return std::nullopt;
    return button;
}

struct OpenLists {
    OpenAssignmentList assignment;  // at most one button's list
    bool dpiSubList = false;
    std::array<bool, 3> lighting{};  // mode, parameter, effect
};

// Elements shown in their over look.
struct HoverMarks {
    bool ok = false;
    bool apply = false;
    bool cancel = false;
    bool minimise = false;
    bool close = false;
    bool defaults = false;
    std::array<bool, 7> boxes{};
    bool any() const;
    bool operator==(const HoverMarks&) const = default;
};

}  // namespace trv::ui
