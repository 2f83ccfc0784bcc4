#include "ui/list_dialogs_win.h"

#include <utility>

#include "window/list_box.h"

namespace trv::ui {

namespace {

constexpr int kWheelLines = 3;

}  // namespace

ListDialog::ListDialog(DialogKind kind, DialogArgs args, HWND owner, DropDownChoice choice)
    : DialogFrame(kind, std::move(args), owner),
      layout_(dropDownLayout(kind)),
      choice_(std::move(choice)) {}

void ListDialog::createControls() {
    text_ = makeText(layout_.textId, layout_.text, choice_.text());
}

void ListDialog::leftClick(POINT at) {
    if (choice_.click(at.x, at.y, layout_) != DropDownChoice::Click::None) syncDropDown();
}

void ListDialog::dropDownChanged() {
    setText(text_, choice_.text());
    if (choice_.listOpen() && !list_) {
        list_.reset(makeList(layout_.listId, layout_.list, choice_.items(), 0));
    } else if (!choice_.listOpen()) {
        list_.reset();
    }
}

bool ListDialog::wheel(bool awayFromUser) {
    // Only the snipe levels are meant to be scrolled; the function lists show all.
    if (kind() != DialogKind::Snipe || !list_) return false;
    win::list_box::scrollLines(list_.get(), awayFromUser ? -kWheelLines : kWheelLines);
    return true;
}

void ListDialog::controlEvent(int id, int code) {
    if (id != layout_.listId || (code != LBN_SELCHANGE && code != LBN_DBLCLK) || !list_) return;
    const std::optional<int> item = win::list_box::selection(list_.get());
    if (!item || !choice_.pick(*item)) return;
    syncDropDown();
}

}  // namespace trv::ui
