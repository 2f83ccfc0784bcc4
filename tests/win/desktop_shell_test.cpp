#include "window/desktop_shell.h"

#include <windows.h>
#include <exdisp.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "contract/temp_folder.h"

namespace trv::win {
namespace {

using Clock = std::chrono::steady_clock;

// Whether a desktop's shell window can be found, without opening anything.
bool desktopShellAnswers() {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool found = false;
    IShellWindows* windows = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                     IID_IShellWindows, reinterpret_cast<void**>(&windows)))) {
        VARIANT location{};
        location.vt = VT_I4;
        location.lVal = 0;  // CSIDL_DESKTOP
        VARIANT root{};
        long window = 0;
        IDispatch* desktop = nullptr;
        found = windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                      &desktop) == S_OK;
        if (desktop) desktop->Release();
        windows->Release();
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return found;
}

// A document whose opening leaves a trace, as the guide's page opens in the
// browser: a batch file that writes a file beside itself.
class DesktopShell : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.write("open-me.bat", testing::bytesOf("@echo opened> \"%~dp0opened.txt\"\r\n"));
    }
    std::wstring document() const { return folder.at("open-me.bat").wstring(); }
    bool openedWithin(std::chrono::seconds limit) const {
        const auto deadline = Clock::now() + limit;
        while (!folder.exists("opened.txt") && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return folder.exists("opened.txt");
    }
    testing::TempFolder folder;
};

// Wine's explorer serves the desktop's shell windows as Explorer does on
// Windows, a moment after the session starts; the document then opens in the
// shell's process. Should it never answer, the program opens it itself.
TEST_F(DesktopShell, TheDocumentOpensThroughTheDesktopShellWhileOneAnswers) {
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    bool shellAnswers = desktopShellAnswers();
    while (!shellAnswers && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        shellAnswers = desktopShellAnswers();
    }

    const ShellOpen result = openAsDesktopUser(nullptr, document());

    EXPECT_TRUE(result.opened) << result.failedCall << " " << std::hex << result.error;
    EXPECT_EQ(result.byDesktop, shellAnswers);
    EXPECT_EQ(result.failedCall == nullptr, shellAnswers) << "the desktop's refusal is named";
    EXPECT_TRUE(openedWithin(std::chrono::seconds(20)));
}

}  // namespace
}  // namespace trv::win
