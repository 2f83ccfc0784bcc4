#pragma once
// Decoded skin images kept between draws. Decoding a PNG costs about a
// millisecond for a button and several for the page background, and a page
// build draws about a hundred images, so decoding on every draw makes a page
// build take far longer than a frame. An entry is decoded again when its
// file's last-write time or size changes, so a skin edited on disk shows on
// its next draw; a file that disappears no longer draws.

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "ui/png_image_win.h"

namespace trv::ui {

class ImageCache {
  public:
    // The image of the file at `path`, or null when it does not load. The
    // pointer stays valid until the next call.
    const PngImage* find(const std::wstring& path);

  private:
    struct Entry {
        FILETIME written{};
        ULONGLONG size = 0;
        std::optional<PngImage> image;  // empty: the file did not decode
    };
    std::map<std::wstring, Entry, std::less<>> entries_;
};

}  // namespace trv::ui
