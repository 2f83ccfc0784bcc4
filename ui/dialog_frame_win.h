#pragma once
// The window every assignment dialog stands on: a borderless skin picture
// sized to its background, OK, Cancel and close drawn as images that light
// up under the pointer, dark system controls, and the dialog's own part
// reached through typed events (points, ids, wheel directions).

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
    virtual HWND hoveredList() const { return nullptr; }  // follows the pointer
    // A dialog's own message map, looked at before the frame's.
    virtual std::optional<LRESULT> dispatchOwn(UINT, WPARAM, LPARAM) { return std::nullopt; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

    DialogKind kind() const { return kind_; }
    Language language() const { return args_.language; }
    std::u16string_view label(std::size_t position) const;

    // Child controls in the dialog's font.
    HWND makeText(int id, Rect rect, std::u16string_view text);
    HWND makeNumberField(int id, Rect rect, std::u16string_view text);
    HWND makeList(int id, Rect rect, const std::vector<std::u16string>& items, DWORD extraStyle);
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
    std::optional<LRESULT> OnOk(WPARAM, LPARAM);
    std::optional<LRESULT> OnCancel(WPARAM, LPARAM);

    void compose();
    void end(bool ok);

    DialogKind kind_;
    DialogArgs args_;
    std::span<const std::u16string_view> labels_;
    win::Font font_;
    DialogColours colours_;
    win::Brush controlBrush_;
    win::Brush selectionBrush_;
    std::optional<GdiCanvas> canvas_;  // empty when the background did not load
    FrameHover hover_;
};

}  // namespace trv::ui
