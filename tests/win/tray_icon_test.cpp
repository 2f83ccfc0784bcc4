// The notification icon when the shell answers late or not at all: at log-on
// the shell may time out on an add that did put the icon in. The program must
// then know it has its icon, and Exit must take away any icon it may have put.

#include <windows.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/tray_icon_win.h"

namespace trv {
namespace {

constexpr wchar_t kTip[] = L"Gaming Mouse Setting";

// A shell still starting: its adds put the icon in and then report a time-out.
class StartingShell final : public NotifyIconShell {
  public:
    bool addsTimeOut = true;
    bool changesTimeOut = false;
    std::set<std::pair<HWND, UINT>> icons;

    bool notify(DWORD message, NOTIFYICONDATAW& data) override {
        const std::pair key{data.hWnd, data.uID};
        switch (message) {
            case NIM_ADD:
                return icons.insert(key).second && !addsTimeOut;
            case NIM_MODIFY:
                return icons.count(key) != 0 && !changesTimeOut;
            case NIM_DELETE:
                return icons.erase(key) != 0;
            default:
                return false;
        }
    }
};

HWND someWindow() {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
}

TEST(TrayIcon, AnAddThatTimesOutWithTheIconInLeavesTheProgramItsIconAndExitRemovesIt) {
    StartingShell shell;
    TrayIcon icon(shell);
    EXPECT_TRUE(icon.add(someWindow(), nullptr, kTip));
    EXPECT_TRUE(icon.added()) << "no retries against an icon that is there";
    EXPECT_TRUE(icon.showBalloon(L"The system detect the gaming mouse.", L"Info", 100));
    icon.remove();
    EXPECT_TRUE(shell.icons.empty());
}

TEST(TrayIcon, AnIconTheShellDeniedButMayHoldIsFoundByTheRetryAndRemovedOnExit) {
    StartingShell shell;
    shell.changesTimeOut = true;  // the shell answers nothing in time
    {
        TrayIcon icon(shell);
        EXPECT_FALSE(icon.add(someWindow(), nullptr, kTip));
        EXPECT_FALSE(icon.added());
        ASSERT_EQ(shell.icons.size(), 1u);
        shell.changesTimeOut = false;
        EXPECT_TRUE(icon.readd()) << "a second add is refused, the change shows the icon is in";
    }
    EXPECT_TRUE(shell.icons.empty()) << "the icon goes with the program";

    shell.changesTimeOut = true;
    {
        TrayIcon icon(shell);
        EXPECT_FALSE(icon.add(someWindow(), nullptr, kTip));
        icon.remove();  // Exit before any retry found the icon
        EXPECT_TRUE(shell.icons.empty());
        icon.remove();
    }
    EXPECT_TRUE(shell.icons.empty());
}

// The same under the system's own notification area: an icon that is there
// already makes the add fail, and the program still owns and removes it.
TEST(TrayIcon, TheSystemsShellRefusingASecondAddStillLeavesTheIconToTheProgram) {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"tray owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    NOTIFYICONDATAW early{};
    early.cbSize = sizeof(early);
    early.hWnd = owner;
    early.uFlags = NIF_ICON | NIF_TIP;
    early.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_ADD, &early)) << "the test needs a notification area";
    ASSERT_FALSE(::Shell_NotifyIconW(NIM_ADD, &early)) << "the shell refuses an icon it holds";
    {
        TrayIcon icon;
        EXPECT_TRUE(icon.add(owner, early.hIcon, kTip));
        EXPECT_TRUE(icon.added());
    }
    EXPECT_FALSE(::Shell_NotifyIconW(NIM_MODIFY, &early)) << "removed with the program";
    ::DestroyWindow(owner);
}

}  // namespace
}  // namespace trv
