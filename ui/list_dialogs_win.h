#pragma once
// The list dialogs: a box showing the choice, and a list the box opens. The
// hot key, multimedia and Windows function dialogs list their functions; the
// snipe dialog lists the DPI levels of the mouse's sensor.

#include <windows.h>

#include "ui/dialog_frame.h"
#include "ui/dialog_frame_win.h"
#include "window/handles.h"

namespace trv::ui {

class ListDialog final : public DialogFrame {
  public:
    ListDialog(DialogKind kind, DialogArgs args, HWND owner, DropDownChoice choice);

    // The choice when the dialog ended; as it started if the list was never used.
    const DropDownChoice& choice() const { return choice_; }

  protected:
    void createControls() override;
    void leftClick(POINT at) override;
    bool wheel(bool awayFromUser) override;
    void controlEvent(int id, int code) override;
    HWND hoveredList() const override { return list_.get(); }
    DropDownChoice* dropDown() override { return &choice_; }
    void dropDownChanged() override;
    // The system destroys the list with the window.
    void windowGone() override { (void)list_.release(); }

  private:
    const DropDownLayout& layout_;
    DropDownChoice choice_;
    HWND text_ = nullptr;  // lives as long as the dialog's window
    win::ChildWindow list_;
};

}  // namespace trv::ui
