#include "ui/gdi_canvas_win.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "ui/display_scale.h"
#include "window/wide.h"

namespace trv::ui {

namespace {

// What a window without its background image shows behind the page.
constexpr std::uint8_t kFallbackGrey = 0x20;

UINT drawTextFlags(TextFormat format) {
    // Labels come from str.ini and key names: an ampersand in them is text,
    // never a mnemonic prefix. A text longer than its place (the Bulgarian
    // phrases in a 105-pixel box) ends in an ellipsis rather than mid-letter.
    constexpr UINT kOneLine = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    switch (format) {
        case TextFormat::Centre:
        case TextFormat::CentreWrapUp:
            return DT_CENTER | DT_VCENTER | kOneLine;
        case TextFormat::Left:
            return DT_LEFT | DT_VCENTER | kOneLine;
        case TextFormat::CentreTop:
            return DT_CENTER | DT_TOP | kOneLine;
    }
    return DT_LEFT | kOneLine;
}

}  // namespace

ImageFailureNotice imageFailureBox(HWND owner) {
    return [owner](std::u16string_view text) {
        const std::wstring wide = win::toWide(text);
        ::MessageBoxW(owner, wide.c_str(), L"", MB_OK);
    };
}

GdiCanvas::GdiCanvas(CanvasSetup setup) : setup_(std::move(setup)) {
    const DisplayScale scale{setup_.dpi};
    const std::optional<PngImage> background =
        loadScaledImage(setup_.skinFolder, setup_.background, setup_.dpi);
    width_ = background ? background->width() : scale.px(setup_.fallbackWidth);
    height_ = background ? background->height() : scale.px(setup_.fallbackHeight);
    canvas_ = makeTopDownDib(width_, height_);
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!canvas_.bitmap || !dc_) {
        canvas_ = {};
        dc_.reset();
        width_ = height_ = 0;
        return;
    }
    displaced_ = ::SelectObject(dc_.get(), canvas_.bitmap.get());
    ::SetBkMode(dc_.get(), TRANSPARENT);
    ::SetTextColor(dc_.get(), setup_.textColour);

    // Opaque grey under the background, so that transparent parts of the
    // image (and the whole canvas when the image is missing) show one colour.
    std::fill_n(canvas_.bits, std::size_t(width_) * height_ * 4, kFallbackGrey);
    for (std::size_t i = 3; i < std::size_t(width_) * height_ * 4; i += 4) canvas_.bits[i] = 0xFF;
    backgroundLoaded_ = background && background->draw(dc_.get(), 0, 0);
}

GdiCanvas::~GdiCanvas() {
    if (dc_ && displaced_) ::SelectObject(dc_.get(), displaced_);
}

bool GdiCanvas::drawImage(std::u16string_view name, int x, int y) {
    if (!dc_) return false;
    std::optional<PngImage> uncached;
    const PngImage* image = nullptr;
    if (setup_.cacheImages) {
        image = cache_.find(setup_.skinFolder, name, setup_.dpi);
    } else if ((uncached = loadScaledImage(setup_.skinFolder, name, setup_.dpi))) {
        image = &*uncached;
    }
    if (!image) {
        if (setup_.onImageFailure && reportedFailures_.emplace(name).second) {
            setup_.onImageFailure(kImageLoadFailed);
        }
        return false;
    }
    const DisplayScale scale{setup_.dpi};
    return image->draw(dc_.get(), scale.px(x), scale.px(y));
}

void GdiCanvas::drawText(std::u16string_view text, Rect rect, TextFormat format, FontRole font) {
    if (!dc_ || text.empty()) return;
    const HFONT chosen = font == FontRole::Title ? setup_.titleFont : setup_.bodyFont;
    std::optional<win::SelectObjectScope> selected;
    if (chosen) selected.emplace(dc_.get(), chosen);
    const Rect scaled = DisplayScale{setup_.dpi}.rect(rect);
    RECT box{scaled.left, scaled.top, scaled.right, scaled.bottom};
    const std::wstring wide = win::toWide(text);
    SIZE extent{};
    if (setup_.compactFont &&
        ::GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &extent) &&
        takesCompactFont(font, extent.cx, scaled)) {
        selected.reset();
        selected.emplace(dc_.get(), setup_.compactFont);
        if (format == TextFormat::CentreWrapUp &&
            ::GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()),
                                    &extent) &&
            extent.cx > scaled.width()) {
            constexpr UINT kWrapped = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;
            RECT lines{scaled.left, 0, scaled.right, 0};
            ::DrawTextW(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &lines,
                        kWrapped | DT_CALCRECT);
            box.top = box.bottom - std::min<LONG>(lines.bottom, 2 * extent.cy);
            ::DrawTextW(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &box, kWrapped);
            return;
        }
    }
    ::DrawTextW(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &box,
                drawTextFlags(format));
}

void GdiCanvas::drawFocusFrame(Rect outer, int width) {
    if (!dc_) return;
    const DisplayScale scale{setup_.dpi};
    const Rect r = scale.rect(outer);
    const int w = std::max(1, scale.px(width));
    ::GdiFlush();  // the pixels are written directly, after GDI's own drawing
    const auto fill = [&](int left, int top, int right, int bottom) {
        for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
                std::uint8_t* p = canvas_.bits + (std::size_t(y) * width_ + x) * 4;
                p[0] = GetBValue(setup_.focusColour);
                p[1] = GetGValue(setup_.focusColour);
                p[2] = GetRValue(setup_.focusColour);
                p[3] = 0xFF;
            }
        }
    };
    fill(r.left, r.top, r.right, r.top + w);
    fill(r.left, r.bottom - w, r.right, r.bottom);
    fill(r.left, r.top + w, r.left + w, r.bottom - w);
    fill(r.right - w, r.top + w, r.right, r.bottom - w);
}

bool GdiCanvas::present(HDC target) const {
    if (!dc_ || !target) return false;
    return ::BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY) != FALSE;
}

bool GdiCanvas::presentTo(HWND window) const {
    const win::WindowDc target(window);
    return present(target.get());
}

LRESULT GdiCanvas::eraseBackground(WPARAM wParam) const {
    present(reinterpret_cast<HDC>(wParam));
    return TRUE;
}

COLORREF GdiCanvas::pixel(int x, int y) const {
    if (!dc_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    ::GdiFlush();  // GDI may still hold drawing calls back
    const std::uint8_t* p = canvas_.bits + (std::size_t(y) * width_ + x) * 4;
    return RGB(p[2], p[1], p[0]);
}

}  // namespace trv::ui
