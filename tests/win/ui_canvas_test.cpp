// The skin canvas as the window shows it: images blended or copied at their
// own size, failed images left out (and announced once in dialogs), texts
// where their format puts them, and the window showing the canvas again after
// its client area was damaged.

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/png_files_win.h"
#include "ui/gdi_canvas_win.h"

namespace trv::ui {
namespace {

namespace fs = std::filesystem;
using trv::testing::writeSolidPng;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kHalfOrange = 0x80C86432;  // alpha 128 over (200, 100, 50)

class CanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.started());
        folder_ =
            fs::temp_directory_path() / ("trv_canvas_" + std::to_string(::GetCurrentProcessId()));
        fs::create_directories(folder_);
        ASSERT_TRUE(writeSolidPng(path(L"/black.png"), 40, 30, false, kBlack));
        ASSERT_TRUE(writeSolidPng(path(L"/white.png"), 40, 30, false, kWhite));
        ASSERT_TRUE(writeSolidPng(path(L"/half.png"), 4, 4, true, kHalfOrange));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::wstring path(const std::wstring& name) const { return folder_.wstring() + name; }

    CanvasSetup over(std::u16string background) const {
        CanvasSetup setup;
        setup.skinFolder = folder_.wstring();
        setup.background = std::move(background);
        setup.fallbackWidth = 50;
        setup.fallbackHeight = 40;
        return setup;
    }

    static std::vector<COLORREF> pixels(const GdiCanvas& canvas) {
        std::vector<COLORREF> all;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) all.push_back(canvas.pixel(x, y));
        return all;
    }

    trv::testing::GdiplusSession gdiplus_;
    fs::path folder_;
};

TEST_F(CanvasTest, HalfTransparentImageShowsPremultipliedOverBlackAndBlendedOverWhite) {
    GdiCanvas black(over(u"/black.png"));
    ASSERT_TRUE(black.backgroundLoaded());
    EXPECT_EQ(black.width(), 40);
    EXPECT_EQ(black.height(), 30);
    ASSERT_TRUE(black.drawImage(u"/half.png", 10, 10));
    EXPECT_EQ(black.pixel(10, 10), RGB(100, 50, 25));
    EXPECT_EQ(black.pixel(13, 13), RGB(100, 50, 25)) << "drawn at its own size";
    EXPECT_EQ(black.pixel(14, 14), RGB(0, 0, 0));
    EXPECT_EQ(black.pixel(9, 10), RGB(0, 0, 0));

    // The canvas keeps 255 - 128 of its 255: 127 added to each premultiplied channel.
    GdiCanvas white(over(u"/white.png"));
    ASSERT_TRUE(white.drawImage(u"/half.png", 0, 0));
    EXPECT_EQ(white.pixel(0, 0), RGB(100 + 127, 50 + 127, 25 + 127));
}

TEST_F(CanvasTest, OpaqueImageReplacesTheCanvasPixelsExactly) {
    ASSERT_TRUE(writeSolidPng(path(L"/green.png"), 3, 2, false, 0x000AC81E));  // alpha byte 0
    GdiCanvas canvas(over(u"/white.png"));
    ASSERT_TRUE(canvas.drawImage(u"/green.png", 5, 6));
    EXPECT_EQ(canvas.pixel(5, 6), RGB(10, 200, 30));
    EXPECT_EQ(canvas.pixel(7, 7), RGB(10, 200, 30));
    EXPECT_EQ(canvas.pixel(8, 7), RGB(255, 255, 255));
    EXPECT_EQ(canvas.pixel(7, 8), RGB(255, 255, 255));
}

TEST_F(CanvasTest, MissingOrUndecodableImageIsReportedAndLeavesTheCanvasUnchanged) {
    std::ofstream(folder_ / L"text.png") << "not an image";
    std::ofstream{folder_ / L"empty.png"};
    GdiCanvas canvas(over(u"/white.png"));
    const std::vector<COLORREF> before = pixels(canvas);
    EXPECT_FALSE(canvas.drawImage(u"/absent.png", 0, 0));
    EXPECT_FALSE(canvas.drawImage(u"/text.png", 0, 0));
    EXPECT_FALSE(canvas.drawImage(u"/empty.png", 0, 0));
    EXPECT_EQ(pixels(canvas), before);
}

TEST_F(CanvasTest, MissingBackgroundGivesAPlainDarkCanvasOfTheFallbackSizeThatStillTakesImages) {
    GdiCanvas canvas(over(u"/main.png"));
    EXPECT_FALSE(canvas.backgroundLoaded());
    EXPECT_EQ(canvas.width(), 50);
    EXPECT_EQ(canvas.height(), 40);
    EXPECT_EQ(canvas.pixel(0, 0), RGB(32, 32, 32));
    EXPECT_EQ(canvas.pixel(49, 39), RGB(32, 32, 32));
    EXPECT_EQ(canvas.pixel(50, 0), CLR_INVALID);
    EXPECT_TRUE(canvas.drawImage(u"/black.png", 0, 0));
    EXPECT_EQ(canvas.pixel(39, 29), RGB(0, 0, 0));
}

TEST_F(CanvasTest, DialogAnnouncesEachFailedImageOnceHoweverOftenItIsRedrawn) {
    std::vector<std::u16string> shown;
    CanvasSetup setup = over(u"/white.png");
    setup.onImageFailure = [&shown](std::u16string_view text) { shown.emplace_back(text); };
    {
        GdiCanvas dialog(setup);
        for (int hover = 0; hover < 3; ++hover) {
            EXPECT_FALSE(dialog.drawImage(u"/button-over.png", 0, 0));
            EXPECT_TRUE(dialog.drawImage(u"/half.png", 0, 0));
        }
        EXPECT_FALSE(dialog.drawImage(u"/button-close-over.png", 0, 0));
        EXPECT_EQ(shown, (std::vector<std::u16string>(2, u"LoadPng---Load image failed.")));
    }
    GdiCanvas nextRun(setup);
    EXPECT_FALSE(nextRun.drawImage(u"/button-over.png", 0, 0));
    EXPECT_EQ(shown.size(), 3u) << "a new dialog run announces it again";
}

// An editor saving the file: new pixels and a later last-write time.
void resave(const std::wstring& path, std::uint32_t argb) {
    ASSERT_TRUE(writeSolidPng(path, 3, 2, false, argb));
    win::FileHandle file(
        ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    FILETIME written{};
    ASSERT_TRUE(::GetFileTime(file.get(), nullptr, nullptr, &written));
    written.dwHighDateTime += 1;  // about seven minutes later
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &written));
}

TEST_F(CanvasTest, SkinImageEditedOrDeletedOnDiskShowsSoOnItsNextDraw) {
    const std::wstring file = path(L"/slider-light.png");
    resave(file, 0xFF0000FF);
    GdiCanvas canvas(over(u"/white.png"));
    ASSERT_TRUE(canvas.drawImage(u"/slider-light.png", 0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), RGB(0, 0, 255));
    resave(file, 0xFFFF0000);
    ASSERT_TRUE(canvas.drawImage(u"/slider-light.png", 0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), RGB(255, 0, 0));

    fs::remove(folder_ / L"slider-light.png");
    EXPECT_FALSE(canvas.drawImage(u"/slider-light.png", 5, 5));
    EXPECT_EQ(canvas.pixel(5, 5), RGB(255, 255, 255));
}

TEST_F(CanvasTest, AtAHigherScaleImagesComeFromTheNearestLargerSetShrunkToTheScaledPlace) {
    // Each set's mark has its own colour, so the pixels tell which set drew.
    fs::create_directories(folder_ / L"@150");
    fs::create_directories(folder_ / L"@200");
    ASSERT_TRUE(writeSolidPng(path(L"/@150/white.png"), 60, 45, false, kWhite));
    ASSERT_TRUE(writeSolidPng(path(L"/mark.png"), 10, 10, false, kBlack));
    ASSERT_TRUE(writeSolidPng(path(L"/@150/mark.png"), 15, 15, false, 0xFFFF0000));
    ASSERT_TRUE(writeSolidPng(path(L"/@200/mark.png"), 20, 20, false, 0xFF00FF00));

    CanvasSetup at150 = over(u"/white.png");
    at150.dpi = 144;
    GdiCanvas exact(at150);
    EXPECT_EQ(exact.width(), 60);
    EXPECT_EQ(exact.height(), 45);
    ASSERT_TRUE(exact.drawImage(u"/mark.png", 10, 10));
    EXPECT_EQ(exact.pixel(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(exact.pixel(29, 29), RGB(255, 0, 0));
    EXPECT_EQ(exact.pixel(30, 30), RGB(255, 255, 255));
    EXPECT_EQ(exact.pixel(14, 14), RGB(255, 255, 255));

    // 140 %: the 150 % set, drawn down to round(10 · 1.396) = 14 pixels at 14.
    CanvasSetup at140 = over(u"/white.png");
    at140.dpi = 134;
    GdiCanvas between(at140);
    EXPECT_EQ(between.width(), 56);
    EXPECT_EQ(between.height(), 42);
    ASSERT_TRUE(between.drawImage(u"/mark.png", 10, 10));
    EXPECT_EQ(between.pixel(14, 14), RGB(255, 0, 0));
    EXPECT_EQ(between.pixel(27, 27), RGB(255, 0, 0));
    EXPECT_EQ(between.pixel(28, 27), RGB(255, 255, 255));
    EXPECT_EQ(between.pixel(13, 14), RGB(255, 255, 255));
}

TEST_F(CanvasTest, ASkinWithOnlyItsBaseImagesIsEnlargedSmoothlyAtAHigherScale) {
    // Left half red, right half blue: enlarged with filtering, the edge
    // between them turns into mixed shades instead of hard steps.
    ASSERT_TRUE(trv::testing::writePng(path(L"/edge.png"), 8, 4, false, [](int x, int) {
        return x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
    }));
    CanvasSetup setup = over(u"/white.png");
    setup.dpi = 144;
    GdiCanvas canvas(setup);
    EXPECT_EQ(canvas.width(), 60) << "the 40 × 30 background enlarged";
    EXPECT_EQ(canvas.height(), 45);
    EXPECT_EQ(canvas.pixel(59, 44), RGB(255, 255, 255));
    ASSERT_TRUE(canvas.drawImage(u"/edge.png", 2, 2));  // 12 × 6 at (3, 3)
    EXPECT_EQ(canvas.pixel(3, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.pixel(14, 5), RGB(0, 0, 255));
    EXPECT_EQ(canvas.pixel(15, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.pixel(3, 8), RGB(255, 0, 0));
    EXPECT_EQ(canvas.pixel(3, 9), RGB(255, 255, 255));
    int mixed = 0;
    for (int x = 3; x < 15; ++x) {
        const COLORREF c = canvas.pixel(x, 5);
        if (GetRValue(c) > 0 && GetRValue(c) < 255 && GetBValue(c) > 0 && GetBValue(c) < 255)
            ++mixed;
    }
    EXPECT_GE(mixed, 1);
}

// The bounding box of the pixels that have the text colour.
RECT inked(const GdiCanvas& canvas, COLORREF ink) {
    RECT box{canvas.width(), canvas.height(), -1, -1};
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) != ink) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

TEST_F(CanvasTest, TextsAppearInTheSkinColourWhereTheirFormatPutsThem) {
    // Without smoothing every pixel of a glyph has the text colour exactly.
    win::Font font(::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    ASSERT_TRUE(font);
    constexpr COLORREF kInk = RGB(250, 210, 20);
    const Rect rect{40, 4, 140, 28};
    for (const TextFormat format : {TextFormat::Centre, TextFormat::Left, TextFormat::CentreTop}) {
        SCOPED_TRACE(static_cast<int>(format));
        CanvasSetup setup = over(u"/none.png");  // the plain canvas
        setup.fallbackWidth = 180;
        setup.fallbackHeight = 32;
        setup.textColour = kInk;
        setup.bodyFont = font.get();
        GdiCanvas canvas(setup);
        canvas.drawText(u"Apply", rect, format, FontRole::Body);
        const RECT ink = inked(canvas, kInk);
        ASSERT_LT(ink.left, ink.right) << "no pixel in the text colour";
        EXPECT_GE(ink.left, rect.left);
        EXPECT_LE(ink.right, rect.right);
        EXPECT_GE(ink.top, rect.top);
        EXPECT_LE(ink.bottom, rect.bottom);
        const int leftGap = ink.left - rect.left;
        const int rightGap = rect.right - ink.right;
        const int topGap = ink.top - rect.top;
        const int bottomGap = rect.bottom - ink.bottom;
        if (format == TextFormat::Left) {
            EXPECT_LE(leftGap, 3);
        } else {
            EXPECT_NEAR(leftGap, rightGap, 2);
        }
        if (format == TextFormat::CentreTop) {
            EXPECT_LT(topGap, bottomGap - 4);
        } else {
            EXPECT_NEAR(topGap, bottomGap, 3);
        }
    }
}

TEST_F(CanvasTest, ATextTooWideForItsPlaceTakesTheCompactFontAndACaptionWrapsUpwards) {
    const auto tahoma = [](int height) {
        return win::Font(::CreateFontW(
            -height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    };
    const win::Font body = tahoma(14), compact = tahoma(10);
    constexpr COLORREF kInk = RGB(250, 210, 20);
    const Rect place{20, 40, 80, 60};  // 60 pixels: room for "Apply", not for the long text
    const auto drawn = [&](std::u16string_view text, TextFormat format, const Rect& at) {
        CanvasSetup setup = over(u"/none.png");
        setup.fallbackWidth = 200;
        setup.fallbackHeight = 64;
        setup.textColour = kInk;
        setup.bodyFont = body.get();
        setup.compactFont = compact.get();
        GdiCanvas canvas(setup);
        canvas.drawText(text, at, format, FontRole::Body);
        return inked(canvas, kInk);
    };
    // What fits stays in the body font, the same for both formats.
    const RECT fits = drawn(u"Apply", TextFormat::Centre, place);
    const RECT fitsWrapUp = drawn(u"Apply", TextFormat::CentreWrapUp, place);
    EXPECT_TRUE(::EqualRect(&fits, &fitsWrapUp));

    const RECT oneLine = drawn(u"Enhance pointer", TextFormat::Centre, place);
    const RECT roomy = drawn(u"Enhance pointer", TextFormat::Centre, {0, 40, 200, 60});
    EXPECT_LT(oneLine.bottom - oneLine.top, roomy.bottom - roomy.top) << "the smaller face";
    EXPECT_GE(oneLine.top, place.top);
    EXPECT_LE(oneLine.right, place.right);

    const RECT twoLines = drawn(u"Enhance pointer precision", TextFormat::CentreWrapUp, place);
    EXPECT_GE(twoLines.left, place.left);
    EXPECT_LE(twoLines.right, place.right);
    EXPECT_LT(twoLines.top, place.top) << "grown upwards";
    EXPECT_LE(twoLines.bottom, place.bottom);
    EXPECT_GE(twoLines.bottom - twoLines.top, 14) << "two lines";
}

LRESULT CALLBACK canvasWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        const auto* canvas =
            reinterpret_cast<const GdiCanvas*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (canvas) return canvas->eraseBackground(wParam);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(CanvasTest, WindowShowsTheCanvasAndShowsItAgainAfterBeingDamaged) {
    GdiCanvas canvas(over(u"/white.png"));
    ASSERT_TRUE(canvas.drawImage(u"/half.png", 10, 10));

    WNDCLASSW wc{};
    wc.lpfnWndProc = canvasWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrvCanvasTestWindow";  // no class brush: only the canvas paints
    ::RegisterClassW(&wc);
    HWND window =
        ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP, 100, 100, canvas.width(),
                          canvas.height(), nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&canvas));
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);

    auto shown = [window](int x, int y) {
        win::WindowDc dc(window);
        return ::GetPixel(dc.get(), x, y);
    };
    ASSERT_TRUE(canvas.presentTo(window));
    EXPECT_EQ(shown(11, 11), RGB(227, 177, 152));
    EXPECT_EQ(shown(30, 20), RGB(255, 255, 255));

    {  // something paints over the client area, then the system asks for a repaint
        win::WindowDc dc(window);
        win::Brush red(::CreateSolidBrush(RGB(255, 0, 0)));
        RECT all{0, 0, canvas.width(), canvas.height()};
        ::FillRect(dc.get(), &all, red.get());
    }
    ASSERT_EQ(shown(11, 11), RGB(255, 0, 0));
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    EXPECT_EQ(shown(11, 11), RGB(227, 177, 152));
    EXPECT_EQ(shown(30, 20), RGB(255, 255, 255));

    ::DestroyWindow(window);
    ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace trv::ui
