#pragma once
// The fire-key dialog: which key the button repeats (a box opening the key
// list, which covers the number fields while it is open), how many times,
// and the make and break times of each repeat.

#include <windows.h>

#include <array>

#include "assign/assignment_list.h"
#include "assign/fire_key_fields.h"
#include "ui/dialog_frame.h"
#include "ui/dialog_frame_win.h"
#include "window/handles.h"

namespace trv::ui {

namespace fire_id {
inline constexpr int kKeyText = 572;
inline constexpr int kKeyList = 573;
inline constexpr int kRepeat = 575;
inline constexpr int kMake = 576;
inline constexpr int kBreak = 577;
}  // namespace fire_id

class FireKeyDialog final : public DialogFrame {
  public:
    FireKeyDialog(DialogArgs args, HWND owner);

    FireKeyChoice choice() const;

  protected:
    void createControls() override;
    void drawTexts() override;
    void leftClick(POINT at) override;
    bool wheel(bool awayFromUser) override;
    void controlEvent(int id, int code) override;
    void accepting() override;
    HWND hoveredList() const override { return list_.get(); }
    DropDownChoice* dropDown() override { return &keys_; }
    void dropDownChanged() override;
    HWND initialFocus() const override { return edits_[0].get(); }
    void windowGone() override;

  private:
    void showFields();
    void hideFields();
    void leaveField(FireField field);

    const DropDownLayout& layout_;
    DropDownChoice keys_;
    FireKeyFields fields_;
    HWND keyText_ = nullptr;  // lives as long as the dialog's window
    win::ChildWindow list_;
    std::array<win::ChildWindow, 3> edits_;  // repeat, make, break
    std::array<HWND, 3> labels_{};           // name the fields; live as long as the window
};

}  // namespace trv::ui
