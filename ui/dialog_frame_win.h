#pragma once
// The window every assignment dialog stands on: a borderless skin picture
// sized to its background, OK, Cancel and close drawn as images that light
// up under the pointer, dark system controls, and the dialog's own part
// reached through typed events (points, ids, wheel directions).
//
// It is laid out and drawn at its window's DPI: the layout keeps its 96-DPI
// numbers and every rectangle, font and list item is scaled where it meets
// the window (ui/display_scale.h), pointer positions unscaled there.
//
// The keyboard reaches every part: the drawn parts (the drop-down's box, OK,
// Cancel, the single key's field) are stood for by focus holders without
// area, named for screen readers, whose focus the dialog marks in the skin's
// colours once the keyboard is in use; Tab moves through them in the order
// they were made.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/text_table.h"
#include "ui/dialog_colours.h"
#include "ui/dialog_frame.h"
#include "ui/display_scale.h"
#include "ui/fire_key_texts.h"
#include "ui/gdi_canvas_win.h"
#include "window/dialog.h"
#include "window/handles.h"

namespace trv::ui {

// What every dialog needs from the main window.
struct DialogArgs {
    std::wstring skinFolder;
    COLORREF textColour = RGB(0, 0, 0);
    Language language = Language::English;
};

class DialogFrame : public win::Dialog {
  public:
    DialogFrame(DialogKind kind, DialogArgs args, HWND owner);
    ~DialogFrame() override;

    // Runs the dialog modally; true when it ended with OK.
    bool run();

    static std::span<const win::MessageEntry<DialogFrame>> messageMap();

  protected:
    // The dialog's own part.
    virtual void createControls() {}
    virtual void drawTexts() {}
    virtual void leftClick(POINT) {}  // on the dialog, not on an image button
    virtual bool wheel(bool /*awayFromUser*/) { return false; }  // true: taken
    virtual void controlEvent(int /*id*/, int /*code*/) {}
    virtual void accepting() {}   // OK, before the dialog ends
    virtual void windowGone() {}  // the window and its controls are destroyed
    virtual HWND hoveredList() const { return nullptr; }  // the open list; follows the pointer
    // The dialog's drop-down, if it has one, and bringing its windows in line
    // with it (the text in the box, the list made or destroyed).
    virtual DropDownChoice* dropDown() { return nullptr; }
    virtual void dropDownChanged() {}
    // The control that has the focus first; null: the first in Tab order.
    virtual HWND initialFocus() const { return nullptr; }
    // A dialog's own message map, looked at before the frame's.
    virtual std::optional<LRESULT> dispatchOwn(UINT, WPARAM, LPARAM) { return std::nullopt; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

    DialogKind kind() const { return kind_; }
    Language language() const { return args_.language; }
    std::u16string_view label(std::size_t position) const;

    // Child controls in the dialog's font, at 96-DPI rectangles.
    HWND makeText(int id, Rect rect, std::u16string_view text);
    HWND makeNumberField(int id, Rect rect, std::u16string_view text);
    HWND makeList(int id, Rect rect, const std::vector<std::u16string>& items, DWORD extraStyle);
    // A focus holder for a drawn part, named `name`, and its focus mark.
    HWND makeStop(int id, std::u16string_view name, Rect mark);
    // The focus mark of a control the dialog makes itself (a field).
    void markFocusOf(int id, Rect mark);
    // A label without area that names the control made after it.
    HWND makeLabel(int id, std::u16string_view text);
    // The choice or the list's state changed: the windows follow, and the box's
    // holder takes the choice as its name.
    void syncDropDown();
    // The keyboard is in use: focus marks show from now on.
    void showFocusMarks();
    HWND okStop() const;
    HWND cancelStop() const;
    static void setText(HWND control, std::u16string_view text);
    static std::u16string textOf(HWND control);

    // A text painted over the background in the skin's caption or field text colour.
    enum class Ink : std::uint8_t { Caption, Text };
    void paintText(std::u16string_view text, Rect rect, UINT format, Ink ink);
    // A text's size in the dialog's font (see MeasureText); zero without a background.
    TextSize measureText(std::u16string_view text, int wrapWidth) const;

  private:
    std::optional<LRESULT> OnEraseBackground(WPARAM, LPARAM);
    std::optional<LRESULT> OnLeftButtonDown(WPARAM, LPARAM);
    std::optional<LRESULT> OnMouseMove(WPARAM, LPARAM);
    std::optional<LRESULT> OnMouseHover(WPARAM, LPARAM);
    std::optional<LRESULT> OnControlColour(WPARAM, LPARAM);
    std::optional<LRESULT> OnStaticColour(WPARAM, LPARAM);
    std::optional<LRESULT> OnMeasureItem(WPARAM, LPARAM);
    std::optional<LRESULT> OnDrawItem(WPARAM, LPARAM);
    // Static texts lie on the control background unfilled; edits fill it.
    LRESULT colourControl(HDC dc, bool transparentText);
    std::optional<LRESULT> OnDestroy(WPARAM, LPARAM);
    std::optional<LRESULT> OnDpiChanged(WPARAM, LPARAM);
    // The font and canvas at the window's DPI and the client area sized to
    // the canvas; false when the background did not load.
    bool layoutForDpi();
    int itemHeight() const;
    void remember(int id, Rect at96);
    POINT dialogPoint(LPARAM lParam) const;
    bool keyDown(UINT key, bool alt);
    bool dropDownKey(UINT key, bool alt);
    void openOrCloseByKeyboard();
    void focusOn(HWND control);
    std::optional<LRESULT> OnOk(WPARAM, LPARAM);
    std::optional<LRESULT> OnCancel(WPARAM, LPARAM);

    void compose();
    void drawFocusMark();
    void end(bool ok);

    struct Placed {
        int id;
        Rect rect;
    };
    struct Mark {
        int id;
        Rect rect;
    };

    DialogKind kind_;
    DialogArgs args_;
    std::span<const std::u16string_view> labels_;
    DisplayScale scale_;
    int baseItemHeight_ = 0;      // a list item's height at 96 DPI
    std::vector<Placed> placed_;  // every control with area, to place again at a new DPI
    std::vector<Mark> marks_;
    bool focusMarks_ = false;
    win::Font font_;
    DialogColours colours_;
    win::Brush controlBrush_;
    win::Brush selectionBrush_;
    std::optional<GdiCanvas> canvas_;  // empty when the background did not load
    FrameHover hover_;
};

}  // namespace trv::ui
