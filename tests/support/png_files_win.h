#pragma once
// GDI+ for tests and benchmarks, which run without the application object
// that starts it, and PNG files written on the spot so that no image is kept
// in the repository.

#include <windows.h>
#include <objidl.h>
// GDI+ headers use min and max unqualified.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trv::testing {

class GdiplusSession {
  public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }
    bool started() const { return started_; }

  private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

inline bool pngEncoder(CLSID* clsid) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<std::uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// Writes a PNG whose pixel (x, y) is colour(x, y), given as 0xAARRGGBB
// (straight, not premultiplied). Without alpha the file is 24-bit and the
// alpha of the colours is ignored.
template <typename ColourAt>
bool writePng(const std::wstring& path, int width, int height, bool alpha, ColourAt colour) {
    CLSID encoder;
    if (!pngEncoder(&encoder)) return false;
    Gdiplus::Bitmap image(width, height, alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (image.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(data.Scan0) +
                                                     y * data.Stride);
        for (int x = 0; x < width; ++x) row[x] = colour(x, y);
    }
    image.UnlockBits(&data);
    return image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

inline bool writeSolidPng(const std::wstring& path, int width, int height, bool alpha,
                          std::uint32_t argb) {
    return writePng(path, width, height, alpha, [argb](int, int) { return argb; });
}

}  // namespace trv::testing
