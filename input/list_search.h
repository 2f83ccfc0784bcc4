#pragma once
// The order in which the pointer-following looks for an open drop-down list
// under the pointer: the assignment lists of buttons 1 to 7, the DPI
// sub-list, then the lighting lists.

#include <array>

#include "ui/page_state.h"

namespace trv::input {

inline constexpr std::array<ui::ListId, 11> kListSearchOrder{
    ui::assignmentList(1),      ui::assignmentList(2),   ui::assignmentList(3),
    ui::assignmentList(4),      ui::assignmentList(5),   ui::assignmentList(6),
    ui::assignmentList(7),      ui::ListId::DpiSubList,  ui::ListId::LightMode,
    ui::ListId::LightParameter, ui::ListId::LightEffect,
};

}  // namespace trv::input
