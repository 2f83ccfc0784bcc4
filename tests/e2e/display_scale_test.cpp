// The demo build on a display of 150 % and 200 %: the window's page is that
// much larger, a click at the scaled place of a knob and of Apply reaches the
// mouse as at 100 % (hover marks follow too), and the page is drawn from the
// skin's images for the scale rather than enlarged from the 100 % ones; the six
// assignment dialogs open at their scaled sizes with every control inside. Wine takes the scale
// from the prefix's LogPixels when a program starts; the test sets it around each run and puts the
// old value back.

#include "ui/display_scale.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "assign/assignment.h"
#include "e2e/program_harness.h"
#include "support/png_files_win.h"
#include "ui/dialog_frame.h"
#include "ui/page_layout.h"

namespace trv::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char k250Hz = 4;             // knob 2
constexpr std::size_t kMouseRate = 0;  // virtual-mouse.bin: header byte 0
constexpr std::size_t kConfigApplied = 0;

class LogPixels {
  public:
    explicit LogPixels(DWORD dpi) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD old = 0;
        DWORD size = sizeof old;
        if (::RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old),
                               &size) == ERROR_SUCCESS) {
            old_ = old;
        }
        ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                         sizeof dpi);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    ~LogPixels() {
        if (old_) {
            ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&*old_), sizeof *old_);
        } else {
            ::RegDeleteValueW(key_, L"LogPixels");
        }
        ::RegCloseKey(key_);
    }

  private:
    HKEY key_ = nullptr;
    std::optional<DWORD> old_;
};

char byteOf(const std::wstring& file, std::size_t at) {
    const std::string bytes = fileText(file);
    return at < bytes.size() ? bytes[at] : '\xFF';
}

// A click as the system delivers it, at a window pixel.
void clickAt(HWND window, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(window, WM_LBUTTONUP, 0, where);
    ::Sleep(400);
}

POINT centreOf(const ui::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Mean absolute difference per channel (0..255) between the screen's pixels
// at (x, y) and a picture of the same size, or its first `columns` columns.
double meanDifference(HDC screen, int x, int y, Gdiplus::Bitmap& picture, int columns = 0) {
    double sum = 0;
    const int w = columns > 0 ? columns : static_cast<int>(picture.GetWidth());
    const int h = static_cast<int>(picture.GetHeight());
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            Gdiplus::Color c;
            picture.GetPixel(i, j, &c);
            const COLORREF s = ::GetPixel(screen, x + i, y + j);
            sum += std::abs(GetRValue(s) - c.GetR()) + std::abs(GetGValue(s) - c.GetG()) +
                   std::abs(GetBValue(s) - c.GetB());
        }
    }
    return sum / (3.0 * w * h);
}

bool notAFirstRun(const std::wstring& folder) {
    std::string bytes = fileText(folder + L"\\config.bin");
    if (bytes.empty()) return false;
    bytes[kConfigApplied] = 1;
    std::ofstream(std::filesystem::path(folder + L"\\config.bin"),
                  std::ios::binary | std::ios::trunc)
        << bytes;
    return true;
}

// The demo program started at the parameter's DPI from a fresh folder, its
// page shown from the icon.
class DisplayScaleRun : public ::testing::TestWithParam<int> {
  protected:
    HWND showPage(const std::wstring& name) {
        folder_ = freshCopyOf(windowsPath(TRV_STAGE_DEMO), name + std::to_wstring(GetParam()));
        if (!notAFirstRun(folder_)) return nullptr;
        setting_.emplace(static_cast<DWORD>(GetParam()));
        program_.emplace(folder_);
        const HWND window = program_->started() ? program_->waitForMainWindow() : nullptr;
        if (!window || !waitUntil([&] { return !::IsWindowVisible(window); })) return nullptr;
        ::PostMessageW(window, kTrayNotify, 0, WM_LBUTTONUP);
        if (!waitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 5s)) return nullptr;
        return window;
    }

    std::wstring folder_;
    std::optional<LogPixels> setting_;
    std::optional<RunningProgram> program_;
};

TEST_P(DisplayScaleRun,
       PageIsScaledAndThePointerHoversAndClicksAtScaledPlacesUntilApplyWrites250Hz) {
    const int dpi = GetParam();
    const ui::DisplayScale scale{dpi};
    const HWND window = showPage(L"display-scale-");
    ASSERT_NE(window, nullptr);
    const std::wstring& folder = folder_;
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::Sleep(500);

    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, scale.px(ui::layout::kPageWidth));
    EXPECT_EQ(client.bottom, scale.px(ui::layout::kPageHeight));

    clickAt(window, centreOf(scale.rect(ui::layout::knob(2))));

    if (dpi == 144) {
        // The lit knob on the screen is the 150 % image, not the 100 % one
        // enlarged: compared with each, it is far nearer the first.
        trv::testing::GdiplusSession gdiplus;
        const std::wstring skins = folder + L"\\Skins\\Default";
        Gdiplus::Bitmap sharp((skins + L"\\@150\\slider-RP-light.png").c_str());
        Gdiplus::Bitmap base((skins + L"\\slider-RP-light.png").c_str());
        ASSERT_EQ(sharp.GetLastStatus(), Gdiplus::Ok);
        ASSERT_EQ(base.GetLastStatus(), Gdiplus::Ok);
        Gdiplus::Bitmap enlarged(static_cast<INT>(sharp.GetWidth()),
                                 static_cast<INT>(sharp.GetHeight()), PixelFormat32bppARGB);
        {
            Gdiplus::Graphics g(&enlarged);
            g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            g.DrawImage(&base, 0, 0, static_cast<INT>(sharp.GetWidth()),
                        static_cast<INT>(sharp.GetHeight()));
        }
        POINT origin{scale.px(ui::layout::knob(2).left), scale.px(ui::layout::knob(2).top)};
        ::ClientToScreen(window, &origin);
        const HDC screen = ::GetDC(nullptr);
        const double toSharp = meanDifference(screen, origin.x, origin.y, sharp);
        const double toEnlarged = meanDifference(screen, origin.x, origin.y, enlarged);
        ::ReleaseDC(nullptr, screen);
        RecordProperty("mean_difference_to_150", std::to_string(toSharp));
        RecordProperty("mean_difference_to_enlarged_100", std::to_string(toEnlarged));
        EXPECT_LE(toSharp, 1.0);
        EXPECT_GT(toEnlarged, toSharp + 2.0);
        std::printf(
            "knob at 150 %%: mean difference %.2f to the 150 %% image, %.2f to the 100 %% "
            "image enlarged\n",
            toSharp, toEnlarged);

        // The pointer resting on Apply gives it its over look at its scaled
        // place (seen at its left end, clear of the text).
        const POINT applyCentre = centreOf(scale.rect(ui::layout::kApply));
        ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(applyCentre.x, applyCentre.y));
        ::PostMessageW(window, WM_MOUSEHOVER, 0, MAKELPARAM(applyCentre.x, applyCentre.y));
        ::Sleep(400);
        Gdiplus::Bitmap over((skins + L"\\@150\\button-over.png").c_str());
        Gdiplus::Bitmap normal((skins + L"\\@150\\button-normal.png").c_str());
        POINT apply{scale.px(ui::layout::kApply.left), scale.px(ui::layout::kApply.top)};
        ::ClientToScreen(window, &apply);
        const HDC again = ::GetDC(nullptr);
        const double toOver = meanDifference(again, apply.x, apply.y, over, 20);
        const double toNormal = meanDifference(again, apply.x, apply.y, normal, 20);
        ::ReleaseDC(nullptr, again);
        EXPECT_LE(toOver, 1.0);
        EXPECT_GT(toNormal, toOver + 2.0) << "Apply does not show its over look";
    }

    clickAt(window, centreOf(scale.rect(ui::layout::kApply)));
    EXPECT_TRUE(waitUntil([&] {
        return fileText(folder + L"\\virtual-mouse-wire.log").find("AA CC EE DD 05") !=
               std::string::npos;
    })) << "Apply wrote nothing to the mouse";
    ::Sleep(500);
    EXPECT_EQ(byteOf(folder + L"\\virtual-mouse.bin", kMouseRate), k250Hz);

    ::PostMessageW(window, WM_COMMAND, kTrayExitCommand, 0);
    program_->waitForExit();
}

// The dialog the page opened, owned by its window; with a name, only the one
// of that window text (not a message box).
HWND ownedDialog(HWND window, const wchar_t* name = nullptr) {
    struct Search {
        HWND owner;
        const wchar_t* name;
        HWND found;
    } search{window, name, nullptr};
    ::EnumThreadWindows(
        ::GetWindowThreadProcessId(window, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t cls[16] = {};
            ::GetClassNameW(w, cls, 16);
            wchar_t text[64] = {};
            ::GetWindowTextW(w, text, 64);
            if (::IsWindowVisible(w) && std::wstring(cls) == L"#32770" &&
                ::GetWindow(w, GW_OWNER) == s->owner &&
                (!s->name || s->name == std::wstring(text))) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every child's window rectangle inside the dialog's client area; the
// focus holders without area stand at its corner.
std::vector<std::string> childrenOutside(HWND dialog) {
    struct Check {
        HWND dialog;
        std::vector<std::string> outside;
    } check{dialog, {}};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Check*>(p);
            RECT client{};
            ::GetClientRect(c->dialog, &client);
            RECT r{};
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(nullptr, c->dialog, reinterpret_cast<POINT*>(&r), 2);
            if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
                c->outside.push_back("control " + std::to_string(::GetDlgCtrlID(child)));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&check));
    return check.outside;
}

// Client sizes: the background's 100 % size times the scale, rounded half up.
struct ScaledDialog {
    AssignmentType opensFrom;
    ui::DialogKind kind;
    const wchar_t* name;  // its window text, which screen readers announce
    SIZE at150;
    SIZE at200;
};
constexpr ScaledDialog kDialogs[] = {
    {AssignmentType::Windows, ui::DialogKind::WindowsFunction, L"Windows", {570, 474}, {760, 632}},
    {AssignmentType::Multimedia, ui::DialogKind::Multimedia, L"Multimedia", {570, 432}, {760, 576}},
    {AssignmentType::HotKey, ui::DialogKind::HotKey, L"HotKey", {570, 444}, {760, 592}},
    {AssignmentType::FireKey, ui::DialogKind::FireKey, L"Fire Key", {669, 432}, {892, 576}},
    {AssignmentType::SingleKey, ui::DialogKind::SingleKey, L"Single Key", {570, 432}, {760, 576}},
    {AssignmentType::SnipeKey, ui::DialogKind::Snipe, L"Snipe Key", {570, 432}, {760, 576}},
};
constexpr int kListOfButton3 = 43;

TEST_P(DisplayScaleRun, EveryAssignmentDialogOpensAtItsScaledSizeWithItsControlsAndListInside) {
    const ui::DisplayScale scale{GetParam()};
    const HWND window = showPage(L"scaled-dialogs-");
    ASSERT_NE(window, nullptr);
    ::Sleep(500);

    for (const ScaledDialog& d : kDialogs) {
        SCOPED_TRACE(::testing::Message() << "list item " << static_cast<int>(d.opensFrom));
        clickAt(window, centreOf(scale.rect(ui::layout::box(3))));
        HWND list = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (list = ::GetDlgItem(window, kListOfButton3)); }));
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(d.opensFrom), 0);
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kListOfButton3, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        HWND dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = ownedDialog(window, d.name)); }));
        ::Sleep(300);

        RECT client{};
        ::GetClientRect(dialog, &client);
        const SIZE expected = GetParam() == 144 ? d.at150 : d.at200;
        EXPECT_EQ(client.right, expected.cx);
        EXPECT_EQ(client.bottom, expected.cy);
        EXPECT_EQ(childrenOutside(dialog), std::vector<std::string>{});
        if (d.kind != ui::DialogKind::SingleKey) {
            // The box, clicked at its scaled place, opens the list inside too.
            const ui::DropDownLayout& layout = ui::dropDownLayout(d.kind);
            clickAt(dialog, centreOf(scale.rect(layout.box)));
            EXPECT_TRUE(waitUntil([&] { return ::GetDlgItem(dialog, layout.listId) != nullptr; }))
                << "the box did not open its list";
            EXPECT_EQ(childrenOutside(dialog), std::vector<std::string>{});
        }
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitUntil([&] { return ownedDialog(window) == nullptr; }));
        ASSERT_TRUE(waitUntil([&] { return ::GetDlgItem(window, kListOfButton3) == nullptr; }))
            << "the list stayed open";
    }

    ::PostMessageW(window, WM_COMMAND, kTrayExitCommand, 0);
    program_->waitForExit();
}

INSTANTIATE_TEST_SUITE_P(At150And200Percent, DisplayScaleRun, ::testing::Values(144, 192));

}  // namespace
}  // namespace trv::e2e
