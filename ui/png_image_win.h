#pragma once
// One skin image decoded by GDI+ into a 32-bit top-down DIB section, ready to
// be drawn into a device context at its own size. GDI+ must be running.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "window/handles.h"

namespace trv::ui {

class PngImage {
  public:
    // Empty when the file is missing, cannot be decoded or has no pixels.
    // An image with an alpha channel comes back premultiplied, as AlphaBlend
    // needs it; any other image keeps its colours and is copied when drawn.
    static std::optional<PngImage> load(const std::wstring& path);
    // The same, brought to width × height with high-quality bicubic filtering
    // when the file's own size differs: done once here, so that drawing stays
    // a plain copy.
    static std::optional<PngImage> load(const std::wstring& path, int width, int height);
    // The file's size in pixels from its header, without decoding it.
    static std::optional<std::pair<int, int>> sizeOf(const std::wstring& path);

    int width() const { return width_; }
    int height() const { return height_; }
    bool hasAlpha() const { return hasAlpha_; }
    HBITMAP bitmap() const { return bitmap_.get(); }

    // Draws the image with its top-left corner at (x, y): blended over what
    // is there when it has alpha, copied otherwise. False when GDI refuses.
    bool draw(HDC target, int x, int y) const;

  private:
    PngImage(win::Bitmap bitmap, int width, int height, bool hasAlpha)
        : bitmap_(std::move(bitmap)), width_(width), height_(height), hasAlpha_(hasAlpha) {}

    win::Bitmap bitmap_;
    int width_;
    int height_;
    bool hasAlpha_;
};

// A 32-bit top-down DIB section of the given size and the address of its
// pixels (blue, green, red, alpha; rows width * 4 bytes apart). Empty bitmap
// when GDI refuses.
struct DibSection {
    win::Bitmap bitmap;
    std::uint8_t* bits = nullptr;
};
DibSection makeTopDownDib(int width, int height);

}  // namespace trv::ui
