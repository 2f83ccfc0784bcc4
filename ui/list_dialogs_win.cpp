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
    switch (choice_.click(at.x, at.y, layout_)) {
        case DropDownChoice::Click::Opened:
            list_.reset(makeList(layout_.listId, layout_.list, choice_.items(), 0));
            break;
        case DropDownChoice::Click::Closed:
            list_.reset();
            break;
        case DropDownChoice::Click::None:
            break;
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
    setText(text_, choice_.text());
    list_.reset();
}

}  // namespace trv::ui
