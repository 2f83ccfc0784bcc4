#pragma once
// The main page's fonts and canvas for one DPI, made one way for the window
// and for the benchmark that times the window's drawing.

#include <windows.h>

#include <string>

#include "lang/text_table.h"
#include "ui/gdi_canvas_win.h"
#include "window/handles.h"

namespace trv::ui {

// The language's body, title and compact fonts at the DPI's scale.
struct PageFonts {
    win::Font body;
    win::Font title;
    win::Font compact;
};
PageFonts makePageFonts(Language language, int dpi);

struct PageLook {
    std::wstring skinFolder;
    COLORREF text = RGB(0, 0, 0);
    COLORREF focus = CanvasSetup{}.focusColour;
};

// The setup of the page's canvas: the skin's main.png at the DPI, drawn on
// with `fonts`, which must outlive the canvas.
CanvasSetup pageCanvasSetup(const PageLook& look, const PageFonts& fonts, int dpi);

}  // namespace trv::ui
