// The demo build, whose virtual mouse answers in the real mouse's place: it
// reads the mouse at start, and with a mouse present the icon shows the window.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/program_harness.h"

namespace trv::e2e {
namespace {

using namespace std::chrono_literals;

class Demo : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program_.started());
        window_ = program_.waitForMainWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));
    }

    bool showByIconClick() {
        ::PostMessageW(window_, kTrayNotify, 0, WM_LBUTTONUP);
        return waitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }, 5s);
    }

    const std::wstring folder_ = freshCopyOf(windowsPath(TRV_STAGE_DEMO), L"demo");
    RunningProgram program_{folder_};
    HWND window_ = nullptr;
};

TEST_F(Demo, ReadsTheVirtualMouseAtStartUp) {
    const std::wstring logFile = folder_ + L"\\virtual-mouse-wire.log";
    std::string log;
    waitUntil([&] {
        log = fileText(logFile);
        return log.find("AA CC EE DD 85") != std::string::npos;
    });
    // The header command, then the five read-page commands, in that order.
    std::size_t at = 0;
    for (const char* command : {"AA CC EE DD 80", "AA CC EE DD 81", "AA CC EE DD 82",
                                "AA CC EE DD 83", "AA CC EE DD 84", "AA CC EE DD 85"}) {
        at = log.find(std::string("plain 01 ") + command, at);
        ASSERT_NE(at, std::string::npos) << "missing " << command << " in\n" << log;
    }
    EXPECT_EQ(log.find("AA CC EE DD 01"), std::string::npos) << "nothing is written at start";
    EXPECT_EQ(fileText(folder_ + L"\\virtual-mouse.bin").size(), 322u);
}

TEST_F(Demo, IconClickShowsTheWindowAndItStaysShown) {
    ASSERT_TRUE(showByIconClick());
    ::Sleep(500);
    EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(Demo, CloseEscapeAndEnterHideTheWindowAndTheProgramStays) {
    ASSERT_TRUE(showByIconClick());
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));

    ASSERT_TRUE(showByIconClick());
    ::PostMessageW(window_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));

    ASSERT_TRUE(showByIconClick());
    ::PostMessageW(window_, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));

    EXPECT_TRUE(program_.running());
    EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(Demo, DeviceNotificationsWithoutAReadableBroadcastAreIgnored) {
    // Events that carry no broadcast, and a hostile arrival whose lParam
    // points nowhere, must not take the program down.
    ::SendMessageW(window_, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0);
    ::PostMessageW(window_, WM_DEVICECHANGE, 0x0018, 0x1234);
    ::PostMessageW(window_, WM_DEVICECHANGE, 0x8000 /* arrival */, 0);
    ::PostMessageW(window_, WM_DEVICECHANGE, 0x8000, 0x1234);
    ::PostMessageW(window_, WM_DEVICECHANGE, 0x8004 /* removal */, 0x7FFF0000);
    ::Sleep(300);
    EXPECT_TRUE(program_.running());
}

TEST_F(Demo, ExitFromTheMenuLetsGoOfBothChannelsAndEndsWithZero) {
    ::PostMessageW(window_, WM_COMMAND, kTrayExitCommand, 0);
    EXPECT_EQ(program_.waitForExit(), 0u);
    const std::string log = fileText(folder_ + L"\\virtual-mouse-wire.log");
    EXPECT_NE(log.find("closed     command"), std::string::npos) << log;
    EXPECT_NE(log.find("closed     data"), std::string::npos);
}

TEST_F(Demo, AWindowTheSystemMinimisedComesBackOnAnIconClick) {
    ASSERT_TRUE(showByIconClick());
    ::SendMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitUntil([&] { return ::IsIconic(window_) != FALSE; }));
    ::PostMessageW(window_, kTrayNotify, 0, WM_LBUTTONUP);
    EXPECT_TRUE(waitUntil([&] { return !::IsIconic(window_) && ::IsWindowVisible(window_); }));
}

TEST(DemoWithoutItsSkin, TheMissingBackgroundIsNamedOnceAndTheProgramGoesOn) {
    const std::wstring folder = freshCopyOf(windowsPath(TRV_STAGE_DEMO), L"skinless");
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder) / L"Skins", error);
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    const HWND box = program.waitForMessageBox(L"TRV418");
    ASSERT_NE(box, nullptr) << "no message naming the missing image";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    const HWND window = program.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window); }));
    ::PostMessageW(window, kTrayNotify, 0, WM_LBUTTONUP);
    EXPECT_TRUE(waitUntil([&] { return ::IsWindowVisible(window) != FALSE; }));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 960);
    EXPECT_EQ(client.bottom, 587);
}

TEST(DemoWithAFaultyMouse, IconClickWhileTheStartUpReadsMessageIsOpenShowsNothing) {
    const std::wstring folder = freshCopyOf(windowsPath(TRV_STAGE_DEMO), L"faulty");
    const std::wstring faultsFile = folder + L"\\virtual-mouse-faults.txt";
    HANDLE file = ::CreateFileW(faultsFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "wrong-signature\n", 16, &written, nullptr);
    ::CloseHandle(file);
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    const HWND box = program.waitForMessageBox(L"ReadOperation");
    ASSERT_NE(box, nullptr);
    const HWND window = program.waitForMainWindow();
    ASSERT_NE(window, nullptr);

    ::PostMessageW(window, kTrayNotify, 0, WM_LBUTTONUP);
    ::Sleep(700);
    EXPECT_FALSE(::IsWindowVisible(window)) << "nothing is loaded yet that a page could show";

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(box); }));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window); }));
    ::PostMessageW(window, kTrayNotify, 0, WM_LBUTTONUP);
    EXPECT_TRUE(waitUntil([&] { return ::IsWindowVisible(window) != FALSE; }))
        << "answered once the initialisation has ended";
}

}  // namespace
}  // namespace trv::e2e
