// How long the main window's page takes, drawn by the program's own model and
// drawing code into its skin canvas and copied to a real window: the page the
// model builds at start-up, a hover redraw of one button, and a DPI segment
// click (the model's press and the redraw it asks for), as medians over many
// runs; and the process's private bytes once the page is built. The model runs
// over the virtual mouse and a temporary copy of the staged plain folder
// (config.bin, str.ini and Skins/), as the program would beside its
// executable. Run under Wine (or on Windows), after building stage_plain:
//   wine bench_page_draw_win.exe [--cache=on|off] [--dpi=N] [staged-folder]
// Without a folder it uses build/windows/stage/plain beside this program.
// Both image-cache settings run, off first, unless --cache picks one: the
// private bytes of a single setting come from a process that ran only it.
// --dpi draws the page as the window does at that DPI (96 unless given).

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_model.h"
#include "app/window_port.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "core/pointer_fakes.h"
#include "device/transfer.h"
#include "device/virtual_mouse.h"
#include "support/png_files_win.h"
#include "ui/display_scale.h"
#include "ui/gdi_canvas_win.h"
#include "ui/page_canvas_win.h"
#include "ui/page_draw.h"
#include "ui/page_layout.h"
#include "window/wide.h"

namespace {

namespace fs = std::filesystem;
namespace layout = trv::ui::layout;

// The main window as far as drawing goes: the canvas made the way the program
// makes it, and every redraw the model asks for drawn and copied at once. The
// page's colour swatches (child windows) are left out.
class BenchWindow final : public trv::WindowPort {
  public:
    BenchWindow(HWND window, bool cacheImages, int dpi)
        : window_(window), cacheImages_(cacheImages), dpi_(dpi) {}

    void attach(const trv::MainWindowModel& model) { model_ = &model; }

    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        std::fprintf(stderr, "message: %ls: %ls\n", trv::win::toWide(caption).c_str(),
                     trv::win::toWide(text).c_str());
        ++messages;
    }
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }
    void showBalloon(std::uint32_t) override {}
    void showBalloonText(const trv::Balloon&) override {}
    std::optional<std::u16string> chooseFile(const trv::FileQuestion&) override {
        return std::nullopt;
    }
    void hideWindow() override {}
    bool registerDeviceNotifications() override { return true; }
    void loadSkinAndFonts() override {
        const trv::SkinSettings& skin = model_->skin();
        fonts_ = trv::ui::makePageFonts(model_->language(), dpi_);
        trv::ui::CanvasSetup setup = trv::ui::pageCanvasSetup(
            {trv::win::toWide(model_->skinFolder()), RGB(skin.red, skin.green, skin.blue)}, fonts_,
            dpi_);
        setup.cacheImages = cacheImages_;
        canvas_ = std::make_unique<trv::ui::GdiCanvas>(std::move(setup));
        if (!canvas_->backgroundLoaded()) {
            std::fprintf(stderr, "the skin's main.png did not load from %ls\n",
                         trv::win::toWide(model_->skinFolder()).c_str());
            ++messages;
        }
    }
    void tearDownPage() override {}
    void redraw(const trv::ui::Redraw& redraw) override {
        if (!canvas_ || redraw.empty()) return;
        if (redraw.front().element == trv::ui::Element::Page) pageBuild = redraw;
        trv::ui::drawPage(*canvas_, redraw, model_->pageView());
        canvas_->presentTo(window_);
    }

    int messages = 0;
    trv::ui::Redraw pageBuild;  // what the model asked for when it built the page

  private:
    HWND window_;
    bool cacheImages_;
    int dpi_;
    const trv::MainWindowModel* model_ = nullptr;
    trv::ui::PageFonts fonts_;
    std::unique_ptr<trv::ui::GdiCanvas> canvas_;
};

// A fresh copy of the staged folder per run, so that nothing the model might
// write reaches the staged files. config.bin is marked applied, so that the
// start-up is an ordinary one rather than a first run.
class ProgramFolder {
  public:
    ProgramFolder(const fs::path& staged, std::error_code& error) {
        path_ = fs::temp_directory_path(error) /
                ("trv_bench_page_" + std::to_string(::GetCurrentProcessId()));
        if (error) return;
        fs::remove_all(path_, error);
        fs::create_directories(path_, error);
        if (!error) fs::copy_file(staged / "config.bin", path_ / "config.bin", error);
        if (!error) fs::copy_file(staged / "str.ini", path_ / "str.ini", error);
        if (!error) fs::copy(staged / "Skins", path_ / "Skins", fs::copy_options::recursive, error);
        if (error) return;
        std::FILE* config = _wfopen((path_ / "config.bin").c_str(), L"r+b");
        if (!config || std::fputc(1, config) == EOF)
            error = std::make_error_code(std::errc::io_error);
        if (config) std::fclose(config);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    ~ProgramFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::u16string executable() const { return (path_ / "TRV418.exe").u16string(); }

  private:
    fs::path path_;
};

// The product's services, except the pointer settings, which no step measured
// here reaches and which must stay the machine's.
struct Services {
    explicit Services(const std::u16string& strIni) : strIni(strIni) {}
    std::shared_ptr<trv::VirtualMouse> mouse = std::make_shared<trv::VirtualMouse>();
    trv::VirtualHidSystem hid{mouse};
    trv::SleepingClock clock;
    trv::win::WinSettingsFileSystem files;
    trv::win::WinProfileStore strIni;
    trv::testing::FakeSystemPointer pointer;
};

fs::path stagedFolder() {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return {};
    return fs::path(self).parent_path().parent_path() / "stage/plain";
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

POINT centreOf(const trv::ui::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct Figures {
    double startUp = 0;
    double page = 0;
    double hover = 0;
    double dpiClick = 0;
    std::size_t privateKbAfterBuild = 0;
    bool ok = false;
};

Figures measure(const fs::path& staged, HWND window, bool cacheImages, int dpi) {
    Figures figures;
    std::error_code error;
    ProgramFolder folder(staged, error);
    if (error) {
        std::fprintf(stderr, "cannot copy %ls: %s\n", staged.wstring().c_str(),
                     error.message().c_str());
        return figures;
    }
    const fs::path executable(folder.executable());
    const std::u16string strIni = (executable.parent_path() / "str.ini").u16string();

    // Start-up as the main window runs it: the mouse found and read, the files
    // loaded, the skin and fonts made and the page built and drawn.
    const auto startProgram = [&](Services& services, BenchWindow& port) {
        auto model =
            std::make_unique<trv::MainWindowModel>(trv::ModelServices{services.hid,
                                                                      services.clock,
                                                                      port,
                                                                      services.files,
                                                                      services.strIni,
                                                                      services.pointer,
                                                                      {}},
                                                   trv::settingsFilePaths(folder.executable()));
        port.attach(*model);
        model->startUp();
        return model;
    };
    figures.startUp = medianMs(10, [&] {
        Services services(strIni);
        BenchWindow port(window, cacheImages, dpi);
        startProgram(services, port);
    });

    Services services(strIni);
    BenchWindow port(window, cacheImages, dpi);
    const auto model = startProgram(services, port);
    figures.privateKbAfterBuild = privateKb();
    if (!model->pageLive() || port.pageBuild.empty() || port.messages != 0) {
        std::fprintf(stderr, "the model did not build its page without messages\n");
        return figures;
    }

    figures.page = medianMs(30, [&] { port.redraw(port.pageBuild); });

    const POINT ok = centreOf(layout::kOk);
    figures.hover = medianMs(300, [&] { port.redraw(model->pointerHovered(ok.x, ok.y)); });

    // Two levels in turn, so that every press changes the stage.
    const POINT segments[] = {centreOf(layout::stageSegment(2, 3)),
                              centreOf(layout::stageSegment(2, 6))};
    int next = 0;
    bool changed = true;
    figures.dpiClick = medianMs(300, [&] {
        const POINT at = segments[next];
        next ^= 1;
        const trv::PressOutcome outcome = model->press(at.x, at.y);
        changed = changed && !outcome.redraw.empty();
        port.redraw(outcome.redraw);
    });
    if (!changed) {
        std::fprintf(stderr, "a DPI segment press redrew nothing\n");
        return figures;
    }
    figures.ok = true;
    return figures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    trv::testing::GdiplusSession gdiplus;  // as the program's application object starts it
    if (!gdiplus.started()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    std::vector<bool> caches = {false, true};
    int dpi = 96;
    fs::path staged = stagedFolder();
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--cache=on" || arg == L"--cache=off") {
            caches = {arg == L"--cache=on"};
        } else if (arg.starts_with(L"--dpi=") && std::stoi(arg.substr(6)) >= 96) {
            dpi = std::stoi(arg.substr(6));
        } else if (arg.starts_with(L"--")) {
            std::fprintf(stderr,
                         "usage: bench_page_draw_win [--cache=on|off] [--dpi=N] [staged-folder]\n");
            return 1;
        } else {
            staged = arg;
        }
    }
    std::error_code error;
    if (!fs::exists(staged / "Skins", error) || !fs::exists(staged / "str.ini", error)) {
        std::fprintf(stderr, "no staged program in %ls (build the stage_plain target)\n",
                     staged.wstring().c_str());
        return 1;
    }
    const trv::ui::DisplayScale scale{dpi};
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                    scale.px(layout::kPageWidth), scale.px(layout::kPageHeight),
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);

    const std::size_t startKb = privateKb();
    std::printf("staged folder: %ls, page drawn at %d DPI\n", staged.wstring().c_str(), dpi);
    std::printf("%-12s %13s %10s %10s %13s %16s\n", "image cache", "start-up ms", "page ms",
                "hover ms", "DPI click ms", "private KB");
    int failed = 0;
    for (const bool cache : caches) {
        const Figures f = measure(staged, window, cache, dpi);
        if (!f.ok) {
            ++failed;
            continue;
        }
        std::printf("%-12s %13.2f %10.2f %10.3f %13.3f %16zu\n", cache ? "on" : "off", f.startUp,
                    f.page, f.hover, f.dpiClick, f.privateKbAfterBuild);
    }
    std::printf("private KB before any model: %zu\n", startKb);
    if (window) ::DestroyWindow(window);
    return failed == 0 ? 0 : 1;
}
