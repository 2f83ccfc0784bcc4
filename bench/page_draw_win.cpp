// How long the main window's drawing takes: a full page build, a hover redraw
// of one button and a DPI segment click, each drawn into the skin canvas and
// copied to a real window, as medians over many runs; and the process's
// private bytes after a page build. Run under Wine (or on Windows):
//   wine bench_page_draw_win.exe [skin-folder]
// Without a folder it uses the first skin staged beside the plain build, or
// when there is none writes a skin of generated PNGs at the real sizes.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/png_files_win.h"
#include "ui/gdi_canvas_win.h"

namespace {

namespace fs = std::filesystem;
using trv::ui::FontRole;
using trv::ui::GdiCanvas;
using trv::ui::Rect;
using trv::ui::TextFormat;

struct SkinImage {
    const wchar_t* name;
    int width;
    int height;
};

constexpr SkinImage kSkin[] = {
    {L"/main.png", 960, 587},
    {L"/BasicSet2.png", 960, 587},
    {L"/button-normal.png", 105, 21},
    {L"/button-over.png", 105, 21},
    {L"/button-min-normal.png", 18, 18},
    {L"/button-close-normal.png", 18, 18},
    {L"/DropdownBox-normal.png", 211, 21},
    {L"/slider-light.png", 24, 11},
    {L"/slider-dark.png", 24, 11},
    {L"/slider-RP-light.png", 70, 11},
    {L"/slider-RP-dark.png", 70, 11},
    {L"/slider-DPI-light.png", 16, 16},
    {L"/slider-DPI-dark.png", 16, 16},
    {L"/BK-DPI.png", 74, 16},
    {L"/Pane.png", 16, 16},
    {L"/PaneMakingTick.png", 16, 16},
};

// Gradients with a little texture, rounded-off alpha at the edges: roughly
// what a drawn skin compresses and decodes like.
bool writeSkin(const fs::path& folder) {
    fs::create_directories(folder);
    for (const SkinImage& image : kSkin) {
        const int w = image.width;
        const int h = image.height;
        const bool ok = trv::testing::writePng(
            folder.wstring() + image.name, w, h, true, [w, h](int x, int y) -> std::uint32_t {
                const std::uint32_t r = 40 + 120 * x / w + ((x * 7 + y * 13) % 9);
                const std::uint32_t g = 50 + 100 * y / h + ((x * 3 + y * 5) % 7);
                const std::uint32_t b = 90 + (x ^ y) % 32;
                const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                const std::uint32_t a = edge ? 96 : 255;
                return a << 24 | r << 16 | g << 8 | b;
            });
        if (!ok) return false;
    }
    return true;
}

// build/windows/bench/ is where this program lives; the staged program's
// skins are in build/windows/stage/plain/Skins/<folder>/.
fs::path stagedSkin() {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return {};
    std::error_code error;
    const fs::path skins = fs::path(self).parent_path().parent_path() / "stage/plain/Skins";
    for (const auto& entry : fs::directory_iterator(skins, error)) {
        if (fs::exists(entry.path() / "BasicSet2.png", error)) return entry.path();
    }
    return {};
}

void drawPage(GdiCanvas& c) {
    c.drawImage(u"/BasicSet2.png", 0, 0);
    c.drawImage(u"/button-min-normal.png", 923, 17);
    c.drawImage(u"/button-close-normal.png", 942, 17);
    for (int x : {611, 717, 823}) c.drawImage(u"/button-normal.png", x, 492);
    c.drawImage(u"/button-normal.png", 72, 460);
    for (int k = 0; k < 7; ++k) c.drawImage(u"/DropdownBox-normal.png", 19, 246 + 23 * k);
    for (int k = 0; k < 4; ++k) c.drawImage(u"/slider-RP-dark.png", 286 + 71 * k, 119);
    for (int k = 0; k < 3; ++k) c.drawImage(u"/button-normal.png", 286 + 107 * k, 240);
    for (int top : {119, 255, 391})
        for (int k = 0; k < 11; ++k) c.drawImage(u"/slider-dark.png", 656 + 24 * k, top);

    const auto left = TextFormat::Left;
    const auto centre = TextFormat::Centre;
    const auto top = TextFormat::CentreTop;
    const auto body = FontRole::Body;
    c.drawText(u"Report Rate Setting", {286, 90, 600, 111}, left, FontRole::Title);
    c.drawText(u"DPI Effect", {286, 190, 600, 211}, left, FontRole::Title);
    c.drawText(u"DPI Setting", {286, 290, 600, 311}, left, FontRole::Title);
    c.drawText(u"Mouse Speed", {656, 90, 960, 111}, left, FontRole::Title);
    c.drawText(u"Scrolling Speed", {656, 226, 960, 247}, left, FontRole::Title);
    c.drawText(u"Double-Click Speed", {656, 362, 960, 383}, left, FontRole::Title);
    c.drawText(u"www.example.com", {333, 496, 509, 517}, centre, body);
    c.drawText(u"OK", {611, 492, 716, 513}, centre, body);
    c.drawText(u"Apply", {717, 492, 822, 513}, centre, body);
    c.drawText(u"Cancel", {823, 492, 928, 513}, centre, body);
    c.drawText(u"Default", {72, 460, 177, 481}, centre, body);
    const std::u16string digits = u"1234567";
    for (int k = 0; k < 4; ++k) {
        const int rowTop = 315 + 35 * k;
        c.drawText(digits.substr(k, 1), {286, rowTop, 306, rowTop + 16}, left, body);
    }
    for (int k = 0; k < 7; ++k) {
        const int boxTop = 246 + 23 * k;
        c.drawText(digits.substr(k, 1), {19, boxTop, 39, boxTop + 21}, left, body);
        c.drawText(u"Fire Key-L-Button", {39, boxTop, 230, boxTop + 21}, left, body);
    }
    c.drawImage(u"/button-over.png", 19, 197);
    c.drawImage(u"/button-normal.png", 125, 197);
    c.drawText(u"Mode A", {19, 197, 124, 218}, centre, body);
    c.drawText(u"Mode B", {125, 197, 230, 218}, centre, body);
    const char16_t* knobs[] = {u"125", u"250", u"500", u"1000"};
    for (int k = 0; k < 4; ++k) {
        const int x = 286 + 71 * k;
        c.drawText(knobs[k], {x, 140, x + 70, 160}, top, body);
    }
    const char16_t* captions[] = {u"Mode", u"Parameter", u"Effect"};
    const char16_t* lighting[] = {u"Breathing", u"3", u"On"};
    for (int k = 0; k < 3; ++k) {
        const int x = 286 + 107 * k;
        c.drawText(captions[k], {x, 220, x + 105, 240}, centre, body);
        c.drawText(lighting[k], {x, 240, x + 105, 261}, centre, body);
    }
    for (int k = 0; k < 4; ++k) {
        const int x = 554 + 27 * k;
        c.drawText(digits.substr(k, 1), {x, 562, x + 16, 587}, top, body);
    }
    c.drawText(u"Enhance Pointer Precision", {682, 166, 960, 182}, left, body);
    c.drawText(u"Scroll One Screen", {682, 302, 960, 318}, left, body);
    for (int k = 0; k < 4; ++k) {
        const int rowTop = 315 + 35 * k;
        c.drawImage(u"/BK-DPI.png", 322, rowTop);
        c.drawText(u"1600", {322, rowTop, 396, rowTop + 16}, centre, body);
    }
    c.drawImage(u"/slider-RP-light.png", 499, 119);
    for (int k = 0; k < 4; ++k) {
        c.drawImage(u"/PaneMakingTick.png", 554 + 27 * k, 541);
        const int rowTop = 315 + 35 * k;
        for (int s = 0; s < 8; ++s)
            c.drawImage(s <= k + 2 ? u"/slider-DPI-light.png" : u"/slider-DPI-dark.png",
                        396 + 18 * s, rowTop);
    }
    c.drawImage(u"/Pane.png", 656, 166);
    c.drawImage(u"/PaneMakingTick.png", 656, 302);
}

void hoverOk(GdiCanvas& c, HWND window) {
    c.drawImage(u"/button-over.png", 611, 492);
    c.drawText(u"OK", {611, 492, 716, 513}, TextFormat::Centre, FontRole::Body);
    c.presentTo(window);
}

void clickDpiSegment(GdiCanvas& c, HWND window) {
    for (int s = 0; s < 8; ++s)
        c.drawImage(s <= 4 ? u"/slider-DPI-light.png" : u"/slider-DPI-dark.png", 396 + 18 * s, 350);
    c.drawImage(u"/BK-DPI.png", 322, 350);
    c.drawText(u"2400", {322, 350, 396, 366}, TextFormat::Centre, FontRole::Body);
    c.presentTo(window);
}

template <typename Work>
double medianMs(int runs, Work work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Wine leaves PrivateUsage at 0 but fills PagefileUsage, which on Windows is
// the same commit charge.
std::size_t privateKb() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1024;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    trv::testing::GdiplusSession gdiplus;
    if (!gdiplus.started()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    fs::path skin;
    if (argc > 1) {
        skin = argv[1];
    } else if (skin = stagedSkin(); skin.empty()) {
        skin = fs::temp_directory_path() / "trv_bench_skin";
        if (!writeSkin(skin)) {
            std::fprintf(stderr, "could not write the generated skin\n");
            return 1;
        }
    }

    trv::win::Font body(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_SWISS, L"Arial"));
    trv::win::Font title(::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, L"Arial"));
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 960, 587,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);

    const std::size_t startKb = privateKb();
    std::printf("skin: %ls\n", skin.wstring().c_str());
    std::printf("%-14s %12s %12s %12s %16s\n", "image cache", "page ms", "hover ms", "DPI click ms",
                "private KB");
    for (const bool cache : {false, true}) {
        trv::ui::CanvasSetup setup;
        setup.skinFolder = skin.wstring();
        setup.background = u"/main.png";
        setup.bodyFont = body.get();
        setup.titleFont = title.get();
        setup.textColour = RGB(255, 255, 255);
        setup.cacheImages = cache;
        GdiCanvas canvas(setup);
        drawPage(canvas);
        canvas.presentTo(window);
        const std::size_t afterPageKb = privateKb();
        const double page = medianMs(30, [&] {
            drawPage(canvas);
            canvas.presentTo(window);
        });
        const double hover = medianMs(300, [&] { hoverOk(canvas, window); });
        const double dpi = medianMs(300, [&] { clickDpiSegment(canvas, window); });
        std::printf("%-14s %12.2f %12.3f %12.3f %16zu\n", cache ? "on" : "off", page, hover, dpi,
                    afterPageKb);
    }
    std::printf("private KB before any canvas: %zu\n", startKb);
    if (window) ::DestroyWindow(window);
    return 0;
}
