#pragma once
// What the page and the dialogs draw through: a skin image at a point, and a
// text in a rectangle. The Win32 canvas draws into the window's backing
// bitmap; tests use a canvas that records the calls. One call of a page or
// element draw function is one canvas update: the window copies the canvas to
// the screen once after it.

#include <string_view>

namespace trv::ui {

// Client pixels; right and bottom are exclusive, as in the platform's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool contains(int x, int y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool operator==(const Rect&) const = default;
};

enum class TextFormat {
    Centre,     // centred both ways, one line (captions of text buttons)
    Left,       // left-aligned, vertically centred, one line (labels)
    CentreTop,  // centred horizontally from the rectangle's top, one line
    // As Centre; a text that even the compact font cannot hold on one line
    // wraps onto two compact lines ending at the rectangle's bottom, growing
    // upwards into room the layout keeps free above the rectangle.
    CentreWrapUp,
};

enum class FontRole { Body, Title };

// A body text wider than its rectangle is drawn in the language's compact
// font (lang/fonts.h) instead; only a text that this cannot hold either ends in
// an ellipsis. Texts that fit keep the body font, so the page looks the same
// wherever its texts fit.
constexpr bool takesCompactFont(FontRole role, int bodyWidth, const Rect& rect) {
    return role == FontRole::Body && bodyWidth > rect.width();
}

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Draws the skin image `name` (a file name with its leading slash, such
    // as "/button-normal.png", appended to the skin folder) with its top-left
    // corner at (x, y) and at its own size. False when the image does not
    // load; the element then stays undrawn.
    virtual bool drawImage(std::u16string_view name, int x, int y) = 0;

    // Draws text in the skin's text colour with a transparent background.
    virtual void drawText(std::u16string_view text, Rect rect, TextFormat format,
                          FontRole font) = 0;

    // Draws the keyboard focus mark: a frame `width` pixels wide along the
    // inside of `outer`, in the skin's focus colour, at every scale at least
    // one window pixel wide. The dialogs' canvases never show the page's
    // focus and leave it undrawn.
    virtual void drawFocusFrame(Rect /*outer*/, int /*width*/) {}
};

}  // namespace trv::ui
