#pragma once
// The single-key dialog: the user presses a key and the dialog shows its name.
// A keyboard hook on the program's own thread sees every key event before any
// window does, so keys that dialogs otherwise act on (Enter, Esc) or that the
// system keeps for itself (the Windows keys) are captured like any other.

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

    HWND keyName_ = nullptr;  // lives as long as the dialog's window
    SingleKeyChoice captured_;
    win::Hook hook_;
};

}  // namespace trv::ui
