#pragma once
// Decoded skin images kept between draws. Decoding a PNG costs about a
// millisecond for a button and several for the page background, and a page
// build draws about a hundred images, so decoding on every draw makes a page
// build take far longer than a frame. An entry is decoded again when its
// file's last-write time or size changes, so a skin edited on disk shows on
// its next draw; a file that disappears no longer draws.
//
// At a display scale other than 100 % an image is taken from the skin's set
// for that scale (ui/skin_scale.h) and brought to the display's size once,
// when it is loaded, and kept under its name and the DPI.

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "ui/png_image_win.h"

namespace trv::ui {

class ImageCache {
  public:
    // The image of the file at `path`, or null when it does not load. The
    // pointer stays valid until the next call.
    const PngImage* find(const std::wstring& path);
    // The image `name` (such as u"/main.png") of the skin in `folder` for a
    // display of `dpi`, at round(size · dpi / 96) of its 100 % size; the same
    // as find(folder + name) at 96 DPI.
    const PngImage* find(const std::wstring& folder, std::u16string_view name, int dpi);

  private:
    struct Entry {
        FILETIME written{};
        ULONGLONG size = 0;
        std::optional<PngImage> image;  // empty: the file did not decode
        std::wstring file;              // the set's file it came from
    };
    std::map<std::wstring, Entry, std::less<>> entries_;
    std::map<std::pair<std::wstring, int>, Entry> scaled_;
};

// The file of a skin image for a display of `dpi` and the size it is drawn
// at there; empty when no set has the image.
struct ScaledImageFile {
    std::wstring path;
    int width = 0;
    int height = 0;
};
std::optional<ScaledImageFile> findScaledImage(const std::wstring& folder, std::u16string_view name,
                                               int dpi);

// The image loaded by findScaledImage, or empty.
std::optional<PngImage> loadScaledImage(const std::wstring& folder, std::u16string_view name,
                                        int dpi);

}  // namespace trv::ui
