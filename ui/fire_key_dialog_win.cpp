#include "ui/fire_key_dialog_win.h"

#include <utility>

#include "lang/dialog_labels.h"
#include "window/list_box.h"

namespace trv::ui {

namespace {

constexpr int kWheelLines = 3;

// A field's mark stands this far around it.
constexpr int kMarkOutset = 2;

struct FieldPlace {
    FireField field;
    int id;
    Rect rect;
    std::size_t caption;  // the label that names it
    int labelId;
};
constexpr std::array<FieldPlace, 3> kFields{{
    {FireField::Repeat, fire_id::kRepeat, fire_layout::kRepeatField, fire_label::kTimes, 578},
    {FireField::Make, fire_id::kMake, fire_layout::kMakeField, fire_label::kMakeTime, 579},
    {FireField::Break, fire_id::kBreak, fire_layout::kBreakField, fire_label::kBreakTime, 580},
}};

}  // namespace

FireKeyDialog::FireKeyDialog(DialogArgs args, HWND owner)
    : DialogFrame(DialogKind::FireKey, args, owner),
      layout_(dropDownLayout(DialogKind::FireKey)),
      keys_(fireKeyDropDown(args.language)) {}

FireKeyChoice FireKeyDialog::choice() const {
    return {keys_.index(), keys_.text(), fields_.repeatCount(), fields_.makeTime(),
            fields_.breakTime()};
}

void FireKeyDialog::createControls() {
    keyText_ = makeText(fire_id::kKeyText, layout_.text, keys_.text());
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const FieldPlace& place = kFields[i];
        labels_[i] = makeLabel(place.labelId, label(place.caption));
        const Rect& r = place.rect;
        markFocusOf(place.id, {r.left - kMarkOutset, r.top - kMarkOutset, r.right + kMarkOutset,
                               r.bottom + kMarkOutset});
    }
    showFields();
}

void FireKeyDialog::drawTexts() {
    const std::span<const std::u16string_view> labels =
        dialogLabels(DialogLabelSet::FireKey, language());
    const MeasureText measure = [this](std::u16string_view text, int wrapWidth) {
        return measureText(text, wrapWidth);
    };
    for (const PlacedText& placed : fireKeyTexts(labels, measure)) {
        const UINT lines = placed.wrapped ? DT_WORDBREAK : DT_VCENTER | DT_SINGLELINE;
        paintText(placed.text, placed.rect, lines | (placed.rightAligned ? DT_RIGHT : DT_LEFT),
                  Ink::Caption);
    }
}

void FireKeyDialog::showFields() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (edits_[i]) continue;
        edits_[i].reset(
            makeNumberField(kFields[i].id, kFields[i].rect, fields_.text(kFields[i].field)));
        // Made again after the list closes: back after its label in Tab order.
        if (labels_[i]) {
            ::SetWindowPos(edits_[i].get(), labels_[i], 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FireKeyDialog::hideFields() {
    // The focus leaves a field that is destroyed.
    leaveField(FireField::Make);
    leaveField(FireField::Break);
    for (win::ChildWindow& edit : edits_) edit.reset();
}

void FireKeyDialog::leftClick(POINT at) {
    if (keys_.click(at.x, at.y, layout_) != DropDownChoice::Click::None) syncDropDown();
}

void FireKeyDialog::dropDownChanged() {
    setText(keyText_, keys_.text());
    if (keys_.listOpen()) {
        if (list_) return;
        hideFields();
        list_.reset(makeList(fire_id::kKeyList, layout_.list, keys_.items(), WS_VSCROLL));
    } else {
        list_.reset();
        showFields();
    }
}

bool FireKeyDialog::wheel(bool awayFromUser) {
    if (!list_) return false;
    win::list_box::scrollLines(list_.get(), awayFromUser ? -kWheelLines : kWheelLines);
    return true;
}

void FireKeyDialog::leaveField(FireField field) {
    const std::optional<std::u16string> shown = fields_.left(field);
    if (!shown) return;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i].field == field) setText(edits_[i].get(), *shown);
    }
}

void FireKeyDialog::controlEvent(int id, int code) {
    if (id == fire_id::kKeyList && (code == LBN_SELCHANGE || code == LBN_DBLCLK) && list_) {
        const std::optional<int> item = win::list_box::selection(list_.get());
        if (!item || !keys_.pick(*item)) return;
        syncDropDown();
        return;
    }
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const FieldPlace& place = kFields[i];
        if (place.id != id || !edits_[i]) continue;
        if (code == EN_CHANGE) {
            const std::optional<std::u16string> shown =
                fields_.changed(place.field, textOf(edits_[i].get()));
            if (shown) setText(edits_[i].get(), *shown);
            // The two times are drawn as a pair.
            if (place.field != FireField::Repeat) {
                for (std::size_t t = 1; t < edits_.size(); ++t) {
                    if (edits_[t]) ::InvalidateRect(edits_[t].get(), nullptr, TRUE);
                }
            }
        } else if (code == EN_KILLFOCUS) {
            leaveField(place.field);
        }
    }
}

void FireKeyDialog::windowGone() {
    // The system destroys the controls with the window; their handles may
    // name other windows afterwards.
    (void)list_.release();
    for (win::ChildWindow& edit : edits_) (void)edit.release();
}

void FireKeyDialog::accepting() {
    // A time typed last has not lost the focus yet.
    leaveField(FireField::Make);
    leaveField(FireField::Break);
}

}  // namespace trv::ui
