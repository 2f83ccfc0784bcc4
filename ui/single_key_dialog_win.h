#pragma once
// The single-key dialog: the user presses a key and the dialog shows its name.
// A keyboard hook on the program's own thread sees every key event before any
// window does, so keys that dialogs otherwise act on (Enter, Esc, Tab) or that
// the system keeps for itself (the Windows keys) are captured like any other
// while the key field has the focus, which it has when the dialog opens.
// Holding Tab for a second leaves the field for OK and keeps the key from
// before; a short Tab is captured as Tab. OK and Cancel take keys as in the
// other dialogs, and Shift+Tab goes back to the field.

#include <windows.h>

#include <span>

#include "assign/assignment_list.h"
#include "ui/dialog_frame_win.h"
#include "window/handles.h"

namespace trv::ui {

// Sent by the hook to the dialog when it has named a key event.
inline constexpr UINT KEY_CAPTURED = 0x0B04;

class SingleKeyDialog : public DialogFrame {
  public:
    SingleKeyDialog(DialogArgs args, HWND owner);
    ~SingleKeyDialog() override;

    // The last key event's name and key data; empty before any key.
    const SingleKeyChoice& choice() const { return captured_; }

    static std::span<const win::MessageEntry<SingleKeyDialog>> messageMap();

  protected:
    void createControls() override;
    void drawTexts() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    std::optional<LRESULT> dispatchOwn(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::optional<LRESULT> OnKeyCaptured(WPARAM, LPARAM);
    std::optional<LRESULT> OnHelp(WPARAM, LPARAM);
    std::optional<LRESULT> OnTimer(WPARAM, LPARAM);
    // The key field has the focus (not OK nor Cancel).
    bool capturing() const;
    void show(const SingleKeyChoice& choice);

    HWND keyName_ = nullptr;   // lives as long as the dialog's window
    HWND keyField_ = nullptr;  // the field's focus holder, as long as the window
    SingleKeyChoice captured_;
    SingleKeyChoice beforeTab_;  // what a held Tab leaves the field with
    bool tabHeld_ = false;
    win::Hook hook_;
};

}  // namespace trv::ui
