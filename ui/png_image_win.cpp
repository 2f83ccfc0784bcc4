#include "ui/png_image_win.h"

#include <objidl.h>
// GDI+ headers use min and max unqualified.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "ui/premultiply.h"

namespace trv::ui {

namespace {

// Far beyond any skin image, and small enough that width * height * 4 stays
// an int for GDI.
constexpr UINT kLargestSide = 16384;

}  // namespace

DibSection makeTopDownDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win::Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return {};
    return {std::move(bitmap), static_cast<std::uint8_t*>(bits)};
}

std::optional<PngImage> PngImage::load(const std::wstring& path) {
    return load(path, 0, 0);
}

std::optional<std::pair<int, int>> PngImage::sizeOf(const std::wstring& path) {
    Gdiplus::Image image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok) return std::nullopt;
    const UINT width = image.GetWidth();
    const UINT height = image.GetHeight();
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PngImage> PngImage::load(const std::wstring& path, int wantWidth, int wantHeight) {
    Gdiplus::Bitmap source(path.c_str());
    if (source.GetLastStatus() != Gdiplus::Ok) return std::nullopt;
    UINT width = source.GetWidth();
    UINT height = source.GetHeight();
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) {
        return std::nullopt;
    }
    const bool hasAlpha = Gdiplus::IsAlphaPixelFormat(source.GetPixelFormat()) ||
                          (source.GetFlags() & Gdiplus::ImageFlagsHasAlpha) != 0;

    // Resized once into a bitmap of its own; the edges are mirrored rather
    // than blended with nothing, so that an opaque image keeps opaque,
    // full-coloured borders.
    Gdiplus::Bitmap* pixels = &source;
    std::optional<Gdiplus::Bitmap> resized;
    if (wantWidth > 0 && wantHeight > 0 &&
        (static_cast<UINT>(wantWidth) != width || static_cast<UINT>(wantHeight) != height)) {
        if (static_cast<UINT>(wantWidth) > kLargestSide ||
            static_cast<UINT>(wantHeight) > kLargestSide) {
            return std::nullopt;
        }
        resized.emplace(wantWidth, wantHeight, PixelFormat32bppARGB);
        if (resized->GetLastStatus() != Gdiplus::Ok) return std::nullopt;
        Gdiplus::Graphics graphics(&*resized);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        if (graphics.DrawImage(&source, Gdiplus::Rect(0, 0, wantWidth, wantHeight), 0, 0,
                               static_cast<INT>(width), static_cast<INT>(height),
                               Gdiplus::UnitPixel, &edges) != Gdiplus::Ok) {
            return std::nullopt;
        }
        pixels = &*resized;
        width = static_cast<UINT>(wantWidth);
        height = static_cast<UINT>(wantHeight);
    }

    DibSection dib = makeTopDownDib(static_cast<int>(width), static_cast<int>(height));
    if (!dib.bitmap) return std::nullopt;
    // GDI+ converts straight into the DIB's pixels: blue, green, red, alpha.
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 4);
    data.PixelFormat = hasAlpha ? PixelFormat32bppARGB : PixelFormat32bppRGB;
    data.Scan0 = dib.bits;
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (pixels->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         data.PixelFormat, &data) != Gdiplus::Ok) {
        return std::nullopt;
    }
    pixels->UnlockBits(&data);
    if (hasAlpha)
        premultiplyBgra(dib.bits, static_cast<int>(width), static_cast<int>(height), data.Stride);
    return PngImage(std::move(dib.bitmap), static_cast<int>(width), static_cast<int>(height),
                    hasAlpha);
}

bool PngImage::draw(HDC target, int x, int y) const {
    if (!target) return false;
    win::MemoryDc source(::CreateCompatibleDC(target));
    if (!source) return false;
    win::SelectObjectScope selected(source.get(), bitmap_.get());
    if (hasAlpha_) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        return ::AlphaBlend(target, x, y, width_, height_, source.get(), 0, 0, width_, height_,
                            blend) != FALSE;
    }
    return ::StretchBlt(target, x, y, width_, height_, source.get(), 0, 0, width_, height_,
                        SRCCOPY) != FALSE;
}

}  // namespace trv::ui
