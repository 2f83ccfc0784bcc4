// The program as the user and other processes meet it: started for real under
// Wine from its staged folder, reached only through window messages.

#include <gtest/gtest.h>

#include "e2e/program_harness.h"

namespace trv::e2e {
namespace {

using namespace std::chrono_literals;

// The plain build finds no mouse here: Wine's own HID devices are not it.
std::wstring plainFolder() {
    static const std::wstring folder = freshCopyOf(windowsPath(TRV_STAGE_PLAIN), L"plain");
    return folder;
}

class AppShell : public testing::Test {
  protected:
    void SetUp() override {
        ::SetCursorPos(900, 900);  // away from the notification area's tooltips
        ASSERT_TRUE(program_.started());
        window_ = program_.waitForMainWindow();
        ASSERT_NE(window_, nullptr) << "no window of class Trv418GmClass";
        ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }))
            << "the main window did not hide itself after start";
    }

    RunningProgram program_{plainFolder()};
    HWND window_ = nullptr;
};

TEST_F(AppShell, StartsHiddenWithoutTaskBarButtonAndWithItsNotificationIcon) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window_, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    // The shell knows an icon by its window and id: modifying nothing in it
    // succeeds only if the icon is there.
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window_;
    probe.uID = 0;
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &probe));
}

TEST_F(AppShell, SecondCopyEndsWithZeroAndLeavesTheFirstRunning) {
    RunningProgram second(plainFolder());
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.waitForExit(), 0u);
    EXPECT_TRUE(program_.running());
    EXPECT_TRUE(::IsWindow(window_));
    EXPECT_FALSE(::IsWindowVisible(window_));
}

TEST_F(AppShell, IconClickWithoutMouseWarnsAndKeepsTheWindowHidden) {
    ASSERT_FALSE(balloonVisible(program_.pid()));
    ::PostMessageW(window_, kTrayNotify, 0, WM_LBUTTONUP);
    EXPECT_TRUE(waitUntil([&] { return balloonVisible(program_.pid()); }, 6s));
    EXPECT_FALSE(::IsWindowVisible(window_));
    EXPECT_TRUE(program_.running());
}

TEST_F(AppShell, BalloonRequestFromAnotherProcessIsShown) {
    ASSERT_TRUE(waitUntil([&] { return !balloonVisible(program_.pid()); }, 15s));
    ASSERT_TRUE(::PostMessageW(window_, kShowBalloon, 9, 12));
    EXPECT_TRUE(waitUntil([&] { return balloonVisible(program_.pid()); }, 6s));
}

TEST_F(AppShell, ExitCommandEndsTheProcessWithZero) {
    ::PostMessageW(window_, WM_COMMAND, kTrayExitCommand, 0);
    EXPECT_EQ(program_.waitForExit(), 0u);
}

}  // namespace
}  // namespace trv::e2e
