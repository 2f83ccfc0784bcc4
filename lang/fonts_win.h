#pragma once
// GDI fonts made from the portable font descriptions.

#include <windows.h>

#include <utility>

#include "lang/fonts.h"

namespace trv::win {

// Owns one GDI font and deletes it when it goes. Select it into a context only
// for as long as the owner lives.
class OwnedFont {
  public:
    OwnedFont() = default;
    explicit OwnedFont(HFONT font) : font_(font) {}
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    OwnedFont(OwnedFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
    OwnedFont& operator=(OwnedFont&& other) noexcept {
        if (this != &other) {
            reset();
            font_ = std::exchange(other.font_, nullptr);
        }
        return *this;
    }
    ~OwnedFont() { reset(); }

    HFONT get() const { return font_; }
    explicit operator bool() const { return font_ != nullptr; }

  private:
    void reset() {
        if (font_) ::DeleteObject(font_);
        font_ = nullptr;
    }

    HFONT font_ = nullptr;
};

// An empty owner when GDI refuses the font; drawing then falls back to the
// context's current font.
OwnedFont makeFont(const FontSpec& spec);

// The running Windows' major and minor version as GetVersion reports them.
WindowsVersion runningWindowsVersion();

}  // namespace trv::win
