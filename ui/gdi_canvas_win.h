#pragma once
// The skin canvas of one window: a 32-bit bitmap that is both the window's
// background and its backing store. Pages and dialogs draw skin images and
// texts into it through trv::ui::Canvas; the window then copies the whole
// canvas to its client area once (present), and its erase-background handler
// copies the same canvas, so the window looks the same after being covered.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "ui/canvas.h"
#include "ui/image_cache_win.h"
#include "ui/png_image_win.h"
#include "window/handles.h"

namespace trv::ui {

// The text the dialogs show when one of their skin images does not load.
inline constexpr std::u16string_view kImageLoadFailed = u"LoadPng---Load image failed.";

// Told about a skin image that does not load, with the text to show.
using ImageFailureNotice = std::function<void(std::u16string_view text)>;

// The dialogs' notice: a message box with an OK button and no caption, owned
// by `owner` so that it stays above the dialog.
ImageFailureNotice imageFailureBox(HWND owner);

struct CanvasSetup {
    std::wstring skinFolder;    // image names are appended to it unchanged
    std::u16string background;  // such as u"/main.png"; it fixes the canvas size
    int fallbackWidth = 960;    // the size when the background does not load
    int fallbackHeight = 587;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF focusColour = RGB(0, 255, 198);  // the keyboard focus mark's
    HFONT bodyFont = nullptr;                 // not owned: the window keeps its fonts
    HFONT titleFont = nullptr;                // longer than its canvas; null is GDI's default
    HFONT compactFont = nullptr;              // for body texts too wide for their place
    // Empty for the main window, where a failed image just stays undrawn.
    // Called at most once per image name in the canvas's life, because hover
    // redraws come with every pointer move.
    ImageFailureNotice onImageFailure;
    // Off decodes every image on every draw (for measuring the difference).
    bool cacheImages = true;
    // The window's DPI. The canvas is the background image at this scale;
    // images are drawn from the skin's set for it at the scaled position of
    // their 96-DPI coordinates, texts into their scaled rectangles (the fonts
    // above must already be made for this DPI). At 96 every image and
    // rectangle is used as it is.
    int dpi = 96;
};

class GdiCanvas final : public Canvas {
  public:
    explicit GdiCanvas(CanvasSetup setup);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override;

    bool drawImage(std::u16string_view name, int x, int y) override;
    void drawText(std::u16string_view text, Rect rect, TextFormat format, FontRole font) override;
    void drawFocusFrame(Rect outer, int width) override;

    int width() const { return width_; }
    int height() const { return height_; }
    // False when the canvas is the plain fallback bitmap (the background
    // image is missing or unreadable).
    bool backgroundLoaded() const { return backgroundLoaded_; }

    // A memory context with the canvas selected, for the window to copy from.
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return canvas_.bitmap.get(); }

    // Copies the whole canvas to the target's (0, 0) unchanged.
    bool present(HDC target) const;
    bool presentTo(HWND window) const;
    // The window's WM_ERASEBKGND answer: the canvas copied to the context in
    // wParam, background reported as erased.
    LRESULT eraseBackground(WPARAM wParam) const;

    // The canvas's colour at (x, y), read from the bitmap itself (not from
    // the screen); CLR_INVALID outside the canvas.
    COLORREF pixel(int x, int y) const;

  private:
    CanvasSetup setup_;
    int width_ = 0;
    int height_ = 0;
    bool backgroundLoaded_ = false;
    DibSection canvas_;
    win::MemoryDc dc_;
    HGDIOBJ displaced_ = nullptr;
    ImageCache cache_;
    std::set<std::u16string, std::less<>> reportedFailures_;
};

}  // namespace trv::ui
