// The six assignment dialogs run for real, driven through the system's input
// path: each takes its background's size, answers its image buttons, lights
// OK under the pointer, opens its list from its box and takes a pick; the
// single-key dialog names keys that dialogs otherwise act on.

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "assign/scan_codes.h"
#include "support/png_files_win.h"
#include "support/ui_script_win.h"
#include "ui/assignment_dialogs_win.h"
#include "ui/single_key_dialog_win.h"
#include "window/list_box.h"
#include "window/wide.h"

namespace trv::ui {
namespace {

namespace fs = std::filesystem;
using namespace trv::testing;

constexpr std::uint32_t kBackground = 0xFF203040;
constexpr std::uint32_t kButtonNormal = 0xFF808080;
constexpr std::uint32_t kButtonOver = 0xFF00C000;
constexpr POINT kOkCorner{168, 255};  // clear of the caption
constexpr POINT kOkMiddle{200, 263};
constexpr POINT kClose{361, 15};

COLORREF colourOf(std::uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

class AssignmentDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.started());
        root_ =
            fs::temp_directory_path() / ("trv_dialogs_" + std::to_string(::GetCurrentProcessId()));
        fs::create_directories(root_ / L"full");
        fs::create_directories(root_ / L"no-over");
        fs::create_directories(root_ / L"empty");
        for (const wchar_t* skin : {L"full", L"no-over"}) {
            const std::wstring folder = (root_ / skin).wstring();
            const struct {
                const wchar_t* name;
                int width, height;
            } backgrounds[] = {{L"/fire-key.png", 446, 288},  {L"/hot-key.png", 380, 296},
                               {L"/media-key.png", 380, 288}, {L"/single-key.png", 380, 288},
                               {L"/snipe-key.png", 380, 288}, {L"/windows-key.png", 380, 316}};
            for (const auto& b : backgrounds) {
                ASSERT_TRUE(writeSolidPng(folder + b.name, b.width, b.height, false, kBackground));
            }
            ASSERT_TRUE(
                writeSolidPng(folder + L"/button-normal.png", 105, 21, false, kButtonNormal));
            ASSERT_TRUE(
                writeSolidPng(folder + L"/button-close-normal.png", 18, 18, false, kButtonNormal));
            if (std::wstring(skin) == L"full") {
                ASSERT_TRUE(
                    writeSolidPng(folder + L"/button-over.png", 105, 21, false, kButtonOver));
                ASSERT_TRUE(
                    writeSolidPng(folder + L"/button-close-over.png", 18, 18, false, kButtonOver));
            }
        }
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    DialogArgs args(const wchar_t* skin, Language language = Language::English) const {
        return {(root_ / skin).wstring(), RGB(255, 255, 255), language};
    }

    static HWND dialog() { return ownDialog(); }
    static HWND control(int id) { return ::GetDlgItem(dialog(), id); }
    static std::wstring textOf(int id) { return windowText(control(id)); }

    // Points at an item of an open list and clicks it.
    static void pickFromList(int listId, int item) {
        HWND list = control(listId);
        const std::optional<RECT> r = win::list_box::itemRect(list, item);
        ASSERT_TRUE(r);
        POINT p{(r->left + r->right) / 2, (r->top + r->bottom) / 2};
        ::MapWindowPoints(list, dialog(), &p, 1);
        pointAt(dialog(), p.x, p.y);
    }

    GdiplusSession gdiplus_;
    fs::path root_;
};

TEST_F(AssignmentDialogsTest, WindowsDialogSizedToItsBackgroundLightsOkAndTakesAPickFromItsList) {
    std::optional<WindowsChoice> result;
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(clientSize(dialog()).cx, 380);
                EXPECT_EQ(clientSize(dialog()).cy, 316);
                EXPECT_EQ(textOf(532), L"Multimedia Player");
                EXPECT_EQ(pixelOf(dialog(), kOkCorner.x, kOkCorner.y), colourOf(kButtonNormal));
                pointAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                return true;
            },
            [] { return pixelOf(dialog(), kOkCorner.x, kOkCorner.y) == colourOf(kButtonOver); },
            [] {
                pointAt(dialog(), 300, 150);
                return true;
            },
            [] { return pixelOf(dialog(), kOkCorner.x, kOkCorner.y) == colourOf(kButtonNormal); },
            [] {
                clickAt(dialog(), 100, 136);  // the box opens the list
                return true;
            },
            [] {
                if (!control(533)) return false;
                EXPECT_EQ(win::list_box::count(control(533)), 9);
                clickAt(dialog(), 100, 136);  // and closes it
                return true;
            },
            [] {
                if (control(533)) return false;
                clickAt(dialog(), 100, 136);
                return true;
            },
            [] {
                if (!control(533)) return false;
                pickFromList(533, 8);
                return true;
            },
            [] {
                EXPECT_EQ(win::list_box::selection(control(533)), 8)
                    << "the item under the pointer";
                leftClick();
                return true;
            },
            [] {
                if (control(533)) return false;
                EXPECT_EQ(textOf(532), L"Browser-Refresh");
                clickAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                return true;
            },
        });
        result = runWindowsDialog(nullptr, args(L"full"));
    }
    EXPECT_EQ(result, (WindowsChoice{8, u"Browser-Refresh"}));
}

TEST_F(AssignmentDialogsTest, MissingHoverImageIsAnnouncedOnceHoweverOftenThePointerComesBack) {
    std::vector<std::wstring> boxes;
    auto dismissBox = [&boxes] {
        HWND box = messageBox();
        if (!box) return false;
        boxes.push_back(windowText(box) + L"|" + messageBoxText(box));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
    auto noBox = [] {
        EXPECT_FALSE(messageBox()) << "announced again";
        return true;
    };
    std::optional<MediaChoice> result = MediaChoice{};
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(clientSize(dialog()).cy, 288);
                EXPECT_EQ(textOf(552), L"下一曲");
                pointAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                return true;
            },
            dismissBox,
            [] {
                pointAt(dialog(), 100, 100);
                return true;
            },
            [] {
                pointAt(dialog(), kOkMiddle.x + 2, kOkMiddle.y);
                return true;
            },
            [] {
                pointAt(dialog(), 320, 263);  // Cancel
                return true;
            },
            noBox,
            noBox,
            [] {
                clickAt(dialog(), 320, 263);
                return true;
            },
        });
        result = runMediaDialog(nullptr, args(L"no-over", Language::SimplifiedChinese));
    }
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"|LoadPng---Load image failed."}));
    EXPECT_EQ(result, std::nullopt);
}

TEST_F(AssignmentDialogsTest, HotKeyDialogTakesEnterAsOkWithItsFirstFunction) {
    std::optional<HotKeyChoice> result;
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(clientSize(dialog()).cy, 296);
                ::SetForegroundWindow(dialog());
                pressKey(VK_RETURN);
                return true;
            },
        });
        result = runHotKeyDialog(nullptr, args(L"full"));
    }
    EXPECT_EQ(result, (HotKeyChoice{0, u"Copy"}));
}

TEST_F(AssignmentDialogsTest, SnipeDialogStartsOnTheModesLevelAndItsCloseImageCancels) {
    std::optional<SnipeChoice> result = SnipeChoice{};
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(textOf(563), L"1200");
                clickAt(dialog(), 100, 112);
                return true;
            },
            [] {
                if (!control(564)) return false;
                EXPECT_EQ(win::list_box::count(control(564)), 8);
                pickFromList(564, 7);
                return true;
            },
            [] {
                leftClick();
                return true;
            },
            [] {
                if (control(564)) return false;
                EXPECT_EQ(textOf(563), L"3200");
                clickAt(dialog(), kClose.x, kClose.y);
                return true;
            },
        });
        result = runSnipeDialog(nullptr, SnipeArgs{args(L"full"), 0, 3});
    }
    EXPECT_EQ(result, std::nullopt);
}

TEST_F(AssignmentDialogsTest, FireKeyListCoversTheFieldsScrollsByWheelAndFieldsCheckWhatIsTyped) {
    auto topIndex = [] {
        return static_cast<int>(::SendMessageW(control(573), LB_GETTOPINDEX, 0, 0));
    };
    std::optional<FireKeyChoice> result;
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(clientSize(dialog()).cx, 446);
                EXPECT_EQ(textOf(572), L"L-Button");
                EXPECT_EQ(textOf(575), L"1");
                clickAt(dialog(), 120, 77);
                return true;
            },
            [] {
                if (!control(573)) return false;
                EXPECT_FALSE(control(575)) << "the list covers the fields";
                EXPECT_EQ(win::list_box::count(control(573)), 59);
                pointAt(dialog(), 120, 150);
                wheel(false);
                wheel(false);
                return true;
            },
            [topIndex] {
                EXPECT_EQ(topIndex(), 6);
                wheel(true);
                return true;
            },
            [topIndex] {
                EXPECT_EQ(topIndex(), 3);
                ::SendMessageW(control(573), LB_SETTOPINDEX, 40, 0);
                pickFromList(573, 44);
                return true;
            },
            [] {
                leftClick();
                return true;
            },
            [] {
                if (control(573) || !control(575)) return false;
                EXPECT_EQ(textOf(572), L"R-CTRL");
                ::SetForegroundWindow(dialog());
                clickAt(dialog(), 150, 111);  // into the repeat field
                return true;
            },
            [] {
                ::SendMessageW(control(575), EM_SETSEL, 0, -1);
                typeText(L"12");
                return true;
            },
            [] {
                EXPECT_EQ(textOf(575), L"12");
                typeText(L"8");
                return true;
            },
            [] {
                EXPECT_EQ(textOf(575), L"1") << "128 is too many";
                clickAt(dialog(), 150, 145);  // into the make time
                return true;
            },
            [] {
                ::SendMessageW(control(576), EM_SETSEL, 0, -1);
                typeText(L"3");
                return true;
            },
            [] {
                EXPECT_EQ(textOf(576), L"3") << "not checked while typing";
                clickAt(dialog(), 150, 179);  // the break time takes the focus
                return true;
            },
            [] {
                EXPECT_EQ(textOf(576), L"5");
                ::SendMessageW(control(577), EM_SETSEL, 0, -1);
                typeText(L"300");
                pressKey(VK_RETURN);  // OK with the break time unchecked
                return true;
            },
        });
        result = runFireKeyDialog(nullptr, args(L"full"));
    }
    EXPECT_EQ(result, (FireKeyChoice{44, u"R-CTRL", 1, 5, 5}));
}

// Sees the key messages that pre-translation lets on to the dialog's handling.
class WatchedSingleKeyDialog final : public SingleKeyDialog {
  public:
    using SingleKeyDialog::SingleKeyDialog;
    std::vector<std::pair<UINT, WPARAM>> keys;

  protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        const BOOL consumed = SingleKeyDialog::PreTranslateMessage(msg);
        if (!consumed && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
            keys.emplace_back(msg->message, msg->wParam);
        }
        return consumed;
    }
};

TEST_F(AssignmentDialogsTest, SingleKeyDialogCapturesEveryKeyAndKeepsWindowsKeysAndEnterToItself) {
    WatchedSingleKeyDialog dialogUnderTest(args(L"full"), nullptr);
    struct Capture {
        std::wstring shown;
        std::uint8_t usage;
    };
    std::vector<Capture> captures;
    auto shows = [&] {
        const SingleKeyChoice& now = dialogUnderTest.choice();
        EXPECT_EQ(win::toWide(now.keyName), textOf(502));
        captures.push_back({textOf(502), singleKeyUsage(now.keyName, now.keyData)});
        return true;
    };
    bool ok = false;
    drainInput();
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(textOf(502), L"");
                ::SetForegroundWindow(dialog());
                pressKey(VK_LWIN);
                return true;
            },
            shows,
            [] {
                pressKey(VK_RETURN);
                return true;
            },
            shows,
            [] {
                EXPECT_TRUE(dialog()) << "Enter is a key here";
                pressKey(VK_ESCAPE);
                return true;
            },
            [] {
                EXPECT_TRUE(dialog()) << "so is Esc";
                pressKey('A');
                return true;
            },
            shows,
            [] {
                clickAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                return true;
            },
        });
        ok = dialogUnderTest.run();
    }
    ASSERT_TRUE(ok);
    // Whatever the system calls these keys, the mouse sends them.
    ASSERT_EQ(captures.size(), 3u);
    EXPECT_NE(captures[0].shown, L"") << "the left Windows key is named";
    EXPECT_EQ(captures[0].usage, 0xE3);
    EXPECT_NE(captures[1].shown, L"");
    EXPECT_EQ(captures[1].usage, 0x28);
    EXPECT_EQ(captures[2].shown, L"A");
    EXPECT_EQ(captures[2].usage, 0x04);
    EXPECT_EQ(dialogUnderTest.choice().keyName, u"A");
    for (const auto& [message, key] : dialogUnderTest.keys) {
        EXPECT_NE(key, WPARAM{VK_LWIN});
        if (message == WM_KEYDOWN) {
            EXPECT_NE(key, WPARAM{VK_RETURN});
        }
    }
    EXPECT_NE(std::find(dialogUnderTest.keys.begin(), dialogUnderTest.keys.end(),
                        std::pair<UINT, WPARAM>{WM_KEYDOWN, 'A'}),
              dialogUnderTest.keys.end());
}

TEST_F(AssignmentDialogsTest, SingleKeyDialogNamesAKeyTheSystemCannotNameByItsPosition) {
    // Scan code 0x59 (the keypad's "=") has no name under Wine nor under an
    // English Windows layout.
    INPUT nameless = keyEvent(VK_OEM_NEC_EQUAL, true);
    nameless.ki.wScan = 0x59;
    INPUT namelessUp = nameless;
    namelessUp.ki.dwFlags |= KEYEVENTF_KEYUP;
    SingleKeyDialog dialogUnderTest(args(L"full"), nullptr);
    std::vector<std::wstring> shown;
    bool ok = false;
    drainInput();
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                ::SetForegroundWindow(dialog());
                pressKey('A');
                return true;
            },
            [&] {
                shown.push_back(textOf(502));
                sendInputs({nameless, namelessUp});
                return true;
            },
            [&] {
                shown.push_back(textOf(502));
                clickAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                return true;
            },
        });
        ok = dialogUnderTest.run();
    }
    ASSERT_TRUE(ok);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"A", L"Scan 59"}));
    const SingleKeyChoice& choice = dialogUnderTest.choice();
    EXPECT_EQ(choice.keyName, u"Scan 59");
    EXPECT_EQ(singleKeyUsage(choice.keyName, choice.keyData), 0x67);
}

void pressShiftTab() {
    sendInputs({keyEvent(VK_SHIFT, true), keyEvent(VK_TAB, true), keyEvent(VK_TAB, false),
                keyEvent(VK_SHIFT, false)});
}

// The focus mark stands inside the image button, 3 pixels in from its corner.
constexpr POINT kOkMark{169, 256};
constexpr POINT kCancelMark{274, 256};
const COLORREF kMarkColour = RGB(0, 255, 198);  // the default skin's selection

TEST_F(AssignmentDialogsTest, WindowsDialogDrivenByKeysAloneTakesTheFunctionPickedFromItsList) {
    std::optional<WindowsChoice> result;
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                EXPECT_EQ(windowText(dialog()), L"Windows") << "named for screen readers";
                ::SetForegroundWindow(dialog());
                pressKey(VK_DOWN);  // the box has the focus: the next function
                return true;
            },
            [] {
                EXPECT_EQ(textOf(532), L"Mail");
                EXPECT_NE(pixelOf(dialog(), kOkMark.x, kOkMark.y), kMarkColour) << "no mark yet";
                pressKey(VK_SPACE);
                return true;
            },
            [] {
                if (!control(533)) return false;
                EXPECT_EQ(win::list_box::selection(control(533)), 1) << "opens on the choice";
                pressKey(VK_DOWN);
                pressKey(VK_ESCAPE);  // closes the list, not the dialog
                return true;
            },
            [] {
                if (control(533)) return false;
                EXPECT_EQ(textOf(532), L"Mail");
                pressKey(VK_F4);
                return true;
            },
            [] {
                if (!control(533)) return false;
                pressKey(VK_END);
                pressKey(VK_RETURN);  // picks
                return true;
            },
            [] {
                if (control(533)) return false;
                EXPECT_EQ(textOf(532), L"Browser-Refresh");
                pressKey(VK_TAB);
                return true;
            },
            [] {
                EXPECT_EQ(pixelOf(dialog(), kOkMark.x, kOkMark.y), kMarkColour) << "OK focused";
                pressKey(VK_TAB);
                return true;
            },
            [] {
                EXPECT_EQ(pixelOf(dialog(), kCancelMark.x, kCancelMark.y), kMarkColour);
                EXPECT_NE(pixelOf(dialog(), kOkMark.x, kOkMark.y), kMarkColour);
                pressShiftTab();
                return true;
            },
            [] {
                EXPECT_EQ(pixelOf(dialog(), kOkMark.x, kOkMark.y), kMarkColour);
                pressKey(VK_SPACE);
                return true;
            },
        });
        result = runWindowsDialog(nullptr, args(L"full"));
    }
    EXPECT_EQ(result, (WindowsChoice{8, u"Browser-Refresh"}));
}

TEST_F(AssignmentDialogsTest, FireKeyDialogByKeysStartsInTheRepeatCountAndEscCancelsIt) {
    std::optional<FireKeyChoice> result = FireKeyChoice{};
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                ::SetForegroundWindow(dialog());
                typeText(L"7");  // over the selected count
                return true;
            },
            [] {
                EXPECT_EQ(textOf(575), L"7");
                pressShiftTab();  // back to the key's box
                return true;
            },
            [] {
                pressKey(VK_DOWN);
                return true;
            },
            [] {
                EXPECT_EQ(textOf(572), L"R-Button");
                pressKey(VK_ESCAPE);
                return true;
            },
        });
        result = runFireKeyDialog(nullptr, args(L"full"));
    }
    EXPECT_EQ(result, std::nullopt);
}

TEST_F(AssignmentDialogsTest, SingleKeyFieldTakesAShortTabAsAKeyAndAHeldTabLeavesItForOk) {
    SingleKeyDialog dialogUnderTest(args(L"full"), nullptr);
    DWORD heldSince = 0;
    bool ok = false;
    drainInput();
    {
        UiScript script({
            [] {
                if (!dialog()) return false;
                ::SetForegroundWindow(dialog());
                pressKey('A');
                return true;
            },
            [] {
                EXPECT_EQ(textOf(502), L"A");
                pressKey(VK_TAB);
                return true;
            },
            [&] {
                EXPECT_NE(textOf(502), L"A") << "a short Tab is a key";
                EXPECT_EQ(singleKeyUsage(dialogUnderTest.choice().keyName,
                                         dialogUnderTest.choice().keyData),
                          0x2B);
                pressKey('A');
                return true;
            },
            [&] {
                sendInputs({keyEvent(VK_TAB, true)});
                heldSince = ::GetTickCount();
                return true;
            },
            [&] { return ::GetTickCount() - heldSince > 1300; },
            [] {
                sendInputs({keyEvent(VK_TAB, false)});
                EXPECT_EQ(textOf(502), L"A") << "the key from before the held Tab";
                EXPECT_EQ(pixelOf(dialog(), kOkMark.x, kOkMark.y), kMarkColour) << "on OK";
                pressKey(VK_RETURN);  // OK, no longer a key
                return true;
            },
        });
        ok = dialogUnderTest.run();
    }
    ASSERT_TRUE(ok);
    EXPECT_EQ(dialogUnderTest.choice().keyName, u"A");
}

// A control's pixel as the screen shows it; `frame` reads the window's
// border rather than its client area.
COLORREF controlPixel(HWND control, int x, int y, bool frame = false) {
    HDC dc = frame ? ::GetWindowDC(control) : ::GetDC(control);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(control, dc);
    return c;
}

TEST_F(AssignmentDialogsTest, ListsAndFieldsTakeTheSkinsColoursOrTheDefaultLookWithoutThem) {
    // "full" carries a palette file with an amber look; "no-over" none.
    {
        std::ofstream file(root_ / L"full" / L"colours.ini", std::ios::binary);
        file << "[dialog]\nfield=#1a1613\nfield_text=#fff3d6\nselection=#ffb020\n"
                "selection_text=#0e0c0a\nborder=#45382c\ncaption=#ffb020\n";
    }
    struct Look {
        const wchar_t* skin;
        COLORREF field, selection, border;
    };
    const Look looks[] = {
        {L"full", RGB(0x1a, 0x16, 0x13), RGB(0xff, 0xb0, 0x20), RGB(0x45, 0x38, 0x2c)},
        {L"no-over", RGB(40, 40, 40), RGB(0, 255, 198), RGB(47, 60, 76)}};
    for (const Look& look : looks) {
        SCOPED_TRACE(look.skin[0] == L'f' ? "skin with colours.ini" : "skin without it");
        struct Seen {
            COLORREF item = CLR_INVALID, selected = CLR_INVALID, border = CLR_INVALID,
                     box = CLR_INVALID, field = CLR_INVALID;
        };
        Seen windows, fire;
        // The right end of an item is clear of its text.
        const auto itemPixel = [](int listId, int item) {
            HWND list = control(listId);
            const std::optional<RECT> r = win::list_box::itemRect(list, item);
            return r ? controlPixel(list, r->right - 3, (r->top + r->bottom) / 2) : CLR_INVALID;
        };
        {
            UiScript script({
                [] {
                    if (!dialog()) return false;
                    clickAt(dialog(), 100, 136);
                    return true;
                },
                [] {
                    if (!control(533)) return false;
                    pickFromList(533, 1);
                    return true;
                },
                [&] {
                    if (win::list_box::selection(control(533)) != 1) return false;
                    windows.item = itemPixel(533, 2);
                    windows.selected = itemPixel(533, 1);
                    windows.border = controlPixel(control(533), 0, 0, true);
                    windows.box = controlPixel(control(532), 2, 2);
                    ::PostMessageW(dialog(), WM_COMMAND, IDCANCEL, 0);
                    return true;
                },
            });
            runWindowsDialog(nullptr, args(look.skin));
        }
        {
            UiScript script({
                [&] {
                    if (!dialog() || !control(575)) return false;
                    fire.field = controlPixel(control(575), 2, 2);
                    clickAt(dialog(), 100, 77);
                    return true;
                },
                [] {
                    if (!control(573)) return false;
                    pickFromList(573, 2);
                    return true;
                },
                [&] {
                    if (win::list_box::selection(control(573)) != 2) return false;
                    fire.item = itemPixel(573, 0);
                    fire.selected = itemPixel(573, 2);
                    fire.border = controlPixel(control(573), 0, 0, true);
                    ::PostMessageW(dialog(), WM_COMMAND, IDCANCEL, 0);
                    return true;
                },
            });
            runFireKeyDialog(nullptr, args(look.skin));
        }
        EXPECT_EQ(windows.item, look.field);
        EXPECT_EQ(windows.selected, look.selection);
        EXPECT_EQ(windows.border, look.border);
        EXPECT_EQ(windows.box, look.field);
        EXPECT_EQ(fire.item, look.field);
        EXPECT_EQ(fire.selected, look.selection);
        EXPECT_EQ(fire.border, look.border);
        EXPECT_EQ(fire.field, look.field);
    }
}

// The keyboard layout the run has: the X server's keymap under Wine, which
// takes no layout from LoadKeyboardLayoutW (keyboard_layouts_test.sh sets it).
struct LayoutNames {
    const char* layout;
    std::wstring names[3];  // of scan codes 0x10, 0x15 and 0x2C
};

LayoutNames layoutOfThisRun() {
    const char* chosen = std::getenv("TRV_KEYBOARD_LAYOUT");
    const std::string layout = chosen ? chosen : "us";
    if (layout == "fr") return {"fr", {L"A", L"Y", L"W"}};
    if (layout == "de") return {"de", {L"Q", L"Z", L"Y"}};
    return {"us", {L"Q", L"Y", L"Z"}};
}

TEST_F(AssignmentDialogsTest, SingleKeyDialogSendsAKeyByItsPositionAndShowsTheLayoutsName) {
    const LayoutNames expected = layoutOfThisRun();
    SCOPED_TRACE(expected.layout);
    constexpr WORD kScanCodes[] = {0x10, 0x15, 0x2C};
    SingleKeyDialog dialogUnderTest(args(L"full"), nullptr);
    std::vector<SingleKeyChoice> captured;
    auto press = [](WORD scanCode) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = static_cast<WORD>(::MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK));
        down.ki.wScan = scanCode;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        sendInputs({down, up});
    };
    std::vector<UiScript::Step> steps{[&] {
        if (!dialog()) return false;
        ::SetForegroundWindow(dialog());
        press(kScanCodes[0]);
        return true;
    }};
    for (std::size_t i = 1; i <= std::size(kScanCodes); ++i) {
        steps.push_back([&, i] {
            captured.push_back(dialogUnderTest.choice());
            if (i < std::size(kScanCodes)) {
                press(kScanCodes[i]);
            } else {
                clickAt(dialog(), kOkMiddle.x, kOkMiddle.y);
            }
            return true;
        });
    }
    bool ok = false;
    drainInput();
    {
        UiScript script(std::move(steps));
        ok = dialogUnderTest.run();
    }
    ASSERT_TRUE(ok);
    ASSERT_EQ(captured.size(), std::size(kScanCodes));
    // On every layout these are the places of the US Q, Y and Z.
    constexpr std::uint8_t kUsages[] = {0x14, 0x1C, 0x1D};
    for (std::size_t i = 0; i < captured.size(); ++i) {
        EXPECT_EQ(win::toWide(captured[i].keyName), expected.names[i]) << "scan " << kScanCodes[i];
        EXPECT_EQ(singleKeyUsage(captured[i].keyName, captured[i].keyData), kUsages[i])
            << "scan " << kScanCodes[i];
    }
}

TEST_F(AssignmentDialogsTest, MissingBackgroundSaysWhichAndLeavesABlankDialogThatEscCloses) {
    std::wstring box;
    std::optional<HotKeyChoice> result = HotKeyChoice{};
    {
        UiScript script({
            [&box] {
                HWND shown = messageBox();
                if (!shown) return false;
                box = windowText(shown) + L"|" + messageBoxText(shown);
                ::PostMessageW(shown, WM_COMMAND, IDOK, 0);
                return true;
            },
            [] {
                if (messageBox() || !dialog()) return false;
                EXPECT_FALSE(control(565)) << "no controls";
                ::SetForegroundWindow(dialog());
                pressKey(VK_ESCAPE);
                return true;
            },
        });
        result = runHotKeyDialog(nullptr, args(L"empty"));
    }
    EXPECT_EQ(box, L"HotKey Dialog Load background image failed!!!|error");
    EXPECT_EQ(result, std::nullopt);
}

// Not a test: pictures of every dialog in English, Simplified Chinese and
// Bulgarian for the documentation, from the skin folder in TRV_SHOTS_SKIN into
// TRV_SHOTS_OUT, named dialog-<dialog>-<skin>-<language>.png after the skin
// folder's own name, at the window's size and without loss.
// Run with --gtest_also_run_disabled_tests --gtest_filter=*Pictures*;
// tools/screenshots.sh runs it for every skin.
bool saveScreenPng(HWND window, const std::wstring& path) {
    RECT r{};
    ::GetWindowRect(window, &r);
    HDC screen = ::GetDC(nullptr);
    win::MemoryDc memory(::CreateCompatibleDC(screen));
    win::Bitmap bitmap(::CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top));
    {
        const win::SelectObjectScope selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top,
                 SRCCOPY);
    }
    ::ReleaseDC(nullptr, screen);
    CLSID encoder;
    if (!pngEncoder(&encoder)) return false;
    Gdiplus::Bitmap image(bitmap.get(), nullptr);
    return image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

TEST_F(AssignmentDialogsTest, DISABLED_PicturesOfEveryDialog) {
    const wchar_t* skin = _wgetenv(L"TRV_SHOTS_SKIN");
    const wchar_t* out = _wgetenv(L"TRV_SHOTS_OUT");
    ASSERT_TRUE(skin && out);
    std::wstring skinName = std::filesystem::path(skin).filename().wstring();
    for (wchar_t& c : skinName) c = static_cast<wchar_t>(std::towlower(c));
    struct Language {
        trv::Language language;
        const wchar_t* suffix;
    };
    for (const Language lang : {Language{trv::Language::English, L"en"},
                                Language{trv::Language::SimplifiedChinese, L"chs"},
                                Language{trv::Language::Bulgarian, L"bul"}}) {
        const DialogArgs dialogArgs{skin, RGB(230, 240, 240), lang.language};
        auto picture = [&](const wchar_t* name, POINT boxToOpen, std::function<void()> run) {
            const std::wstring path = std::wstring(out) + L"/dialog-" + name + L"-" + skinName +
                                      L"-" + lang.suffix + L".png";
            UiScript script({
                [boxToOpen] {
                    if (!dialog()) return false;
                    ::SetForegroundWindow(dialog());
                    if (boxToOpen.x >= 0) clickAt(dialog(), boxToOpen.x, boxToOpen.y);
                    if (boxToOpen.x < 0) pressKey('A');
                    return true;
                },
                [] {
                    pointAt(dialog(), kOkMiddle.x, kOkMiddle.y);
                    return true;
                },
                [] { return true; },
                [path] {
                    EXPECT_TRUE(saveScreenPng(dialog(), path));
                    clickAt(dialog(), kClose.x, kClose.y);
                    return true;
                },
            });
            run();
        };
        picture(L"windows", {100, 136}, [&] { runWindowsDialog(nullptr, dialogArgs); });
        picture(L"media", {100, 136}, [&] { runMediaDialog(nullptr, dialogArgs); });
        picture(L"hot-key", {100, 136}, [&] { runHotKeyDialog(nullptr, dialogArgs); });
        picture(L"snipe", {100, 112}, [&] {
            runSnipeDialog(nullptr, SnipeArgs{dialogArgs, 0, 3});
        });
        picture(L"fire-key", {-1, 0}, [&] { runFireKeyDialog(nullptr, dialogArgs); });
        picture(L"fire-key-list", {120, 77}, [&] { runFireKeyDialog(nullptr, dialogArgs); });
        picture(L"single-key", {-1, 0}, [&] { runSingleKeyDialog(nullptr, dialogArgs); });
    }
}

}  // namespace
}  // namespace trv::ui
