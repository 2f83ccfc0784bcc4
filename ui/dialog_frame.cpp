#include "ui/dialog_frame.h"

#include <array>
#include <utility>

#include "assign/key_tables.h"
#include "perf/dpi.h"

namespace trv::ui {

namespace {

namespace L = dialog_layout;

constexpr std::array<DialogLook, 6> kLooks{{
    {IDD_SINGLE_KEY_DIALOG, TextId::SingleKey, u"/single-key.png",
     u"Single Key Dialog Load background image failed!!!", DialogLabelSet::SingleKey},
    {IDD_WINDOWS_DIALOG, TextId::Windows, u"/windows-key.png",
     u"Windows Dialog Load background image failed!!!", DialogLabelSet::WindowsFunctions},
    {IDD_MEDIA_DIALOG, TextId::Multimedia, u"/media-key.png",
     u"Media Dialog Load background image failed!!!", DialogLabelSet::Multimedia},
    {IDD_FIRE_KEY_DIALOG, TextId::FireKey, u"/fire-key.png",
     u"FireKey Dialog Load background image failed!!!", DialogLabelSet::FireKey},
    {IDD_SNIPE_DIALOG, TextId::SnipeKey, u"/snipe-key.png",
     u"Snipe Dialog Load background image failed!!!", DialogLabelSet::SnipeKey},
    {IDD_HOT_KEY_DIALOG, TextId::HotKey, u"/hot-key.png",
     u"HotKey Dialog Load background image failed!!!", DialogLabelSet::HotKey},
}};

// The function dialogs share one box; their lists are as long as their items.
// Box and list are wide enough for the longest choice of every language.
constexpr Rect kFunctionBox{42, 128, 300, 144};
constexpr Rect kFunctionText{42, 128, 285, 144};

constexpr std::array<DropDownLayout, 6> kDropDowns{{
    {},  // the single-key dialog has none
    {kFunctionBox, 532, kFunctionText, 533, {42, 146, 300, 306}},
    {kFunctionBox, 552, kFunctionText, 553, {42, 146, 300, 266}},
    {{94, 69, 177, 85}, 572, {94, 69, 162, 85}, 573, {94, 87, 177, 257}},
    {{42, 105, 300, 121}, 563, {42, 105, 285, 121}, 564, {42, 123, 300, 263}},
    {kFunctionBox, 565, kFunctionText, 566, {42, 146, 300, 286}},
}};

std::vector<std::u16string> owned(const std::vector<std::u16string_view>& views) {
    return {views.begin(), views.end()};
}

}  // namespace

const DialogLook& dialogLook(DialogKind kind) {
    return kLooks[static_cast<std::size_t>(kind)];
}

const DropDownLayout& dropDownLayout(DialogKind kind) {
    return kDropDowns[static_cast<std::size_t>(kind)];
}

FrameButton frameButtonAt(int x, int y) {
    if (L::kOk.contains(x, y)) return FrameButton::Ok;
    if (L::kCancel.contains(x, y)) return FrameButton::Cancel;
    if (L::kClose.contains(x, y)) return FrameButton::Close;
    return FrameButton::None;
}

FrameHover::Move FrameHover::moved(int x, int y) {
    if (frameButtonAt(x, y) != FrameButton::None) return {true, false};
    const bool lit = looks_ != FrameLooks{};
    looks_ = {};
    return {false, lit};
}

bool FrameHover::rested(int x, int y) {
    const FrameLooks before = looks_;
    switch (frameButtonAt(x, y)) {
        case FrameButton::Ok:
            looks_.ok = true;
            looks_.cancel = false;
            break;
        case FrameButton::Cancel:
            looks_.cancel = true;
            looks_.ok = false;
            break;
        case FrameButton::Close:
            looks_.close = true;
            break;
        case FrameButton::None:
            break;
    }
    return looks_ != before;
}

DropDownChoice::DropDownChoice(std::vector<std::u16string> items, std::uint8_t index,
                               std::u16string text)
    : items_(std::move(items)), index_(index), text_(std::move(text)) {}

DropDownChoice::Click DropDownChoice::click(int x, int y, const DropDownLayout& layout) {
    if (layout.box.contains(x, y)) {
        open_ = !open_;
        return open_ ? Click::Opened : Click::Closed;
    }
    if (open_ && !layout.list.contains(x, y)) {
        open_ = false;
        return Click::Closed;
    }
    return Click::None;
}

DropDownChoice::Click DropDownChoice::toggle() {
    open_ = !open_;
    return open_ ? Click::Opened : Click::Closed;
}

bool DropDownChoice::step(int delta) {
    if (items_.empty()) return false;
    const int last = static_cast<int>(items_.size()) - 1;
    int target = static_cast<int>(index_) + delta;
    target = target < 0 ? 0 : (target > last ? last : target);
    if (static_cast<int>(index_) > last) target = last;
    // A choice that is no item (the snipe level of an unknown sensor) moves onto one.
    if (target == static_cast<int>(index_) && text_ == items_[index_]) return false;
    const bool wasOpen = open_;
    pick(target);
    open_ = wasOpen;
    return true;
}

bool DropDownChoice::pick(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= items_.size()) return false;
    index_ = static_cast<std::uint8_t>(item);
    text_ = items_[index_];
    open_ = false;
    return true;
}

DropDownChoice functionDropDown(DialogKind kind, Language language) {
    const DialogLabelSet set = dialogLook(kind).labels;
    return {owned(dialogListItems(set, language)), 0,
            std::u16string(dialogLabel(set, language, dialog_label::kFirstChoice))};
}

DropDownChoice snipeDropDown(std::uint8_t sensorType, std::uint8_t level) {
    std::vector<std::u16string> items;
    if (dpiLevelTable(sensorType)) {
        for (std::size_t i = 0; i < kDpiLevelCount; ++i) {
            items.emplace_back(dpiLevelLabel(sensorType, i));
        }
    }
    return {std::move(items), level, std::u16string(dpiLevelLabel(sensorType, level))};
}

DropDownChoice fireKeyDropDown(Language language) {
    std::vector<std::u16string> items;
    for (std::size_t i = 0; i < kFireKeyItemCount; ++i) items.emplace_back(fireKeyItemText(i));
    return {std::move(items), 0,
            std::u16string(dialogLabel(DialogLabelSet::FireKey, language, fire_label::kLButton))};
}

}  // namespace trv::ui
