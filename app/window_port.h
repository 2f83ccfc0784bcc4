#pragma once
// What the main window's model asks of the window: messages, balloons and
// hiding for the user, the device-notification registration, and drawing the
// page. On Windows the main window itself; in tests a recorder, so that the
// order of start-up steps and every message can be read back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/balloon.h"
#include "ui/page_redraw.h"

namespace trv {

// What a file dialog asks for.
struct FileQuestion {
    bool save = false;  // the Save dialog; otherwise the Open dialog
    std::u16string title;
    std::u16string folder;      // where it opens; empty: the system's choice
    std::u16string name;        // the file name it offers (Save)
    std::u16string filterName;  // "Profiles (*.ini)"
    std::u16string extension;   // without its dot: "ini"; also added to a name typed without it
    bool operator==(const FileQuestion&) const = default;
};

class WindowPort {
  public:
    virtual ~WindowPort() = default;
    // A message box with an OK button; an empty caption means none. Returns
    // when the user has closed it.
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
    // A message box with Yes and No buttons. Returns true for Yes; closing it
    // any other way is No.
    virtual bool askYesNo(std::u16string_view text, std::u16string_view caption) = 0;
    // The balloon of a code, as another process's request would show it.
    virtual void showBalloon(std::uint32_t code) = 0;
    // A balloon of the program's own, with its text made by the model.
    virtual void showBalloonText(const Balloon& balloon) = 0;
    // The system's file dialog: the full path chosen, or nothing when it was
    // cancelled.
    virtual std::optional<std::u16string> chooseFile(const FileQuestion& question) = 0;
    virtual void hideWindow() = 0;
    virtual bool registerDeviceNotifications() = 0;
    // The skin, its text colour and the fonts of the language.
    virtual void loadSkinAndFonts() = 0;
    // Before a rebuild: the page's own controls (swatches, open lists) go.
    virtual void tearDownPage() = 0;
    // Draws these elements in one canvas update.
    virtual void redraw(const ui::Redraw& redraw) = 0;
};

}  // namespace trv
