// The application object when the program cannot start: the user is told
// which call failed and why, and the process ends with an error code, not
// silently with 0 as after a normal end.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/hid_mouse_app_win.h"
#include "support/ui_script_win.h"

namespace trv {
namespace {

using namespace trv::testing;

class FailingGdiplusApp final : public CHidMouseApp {
  public:
    using CHidMouseApp::CHidMouseApp;

  protected:
    int startGdiplus(ULONG_PTR&) override { return 17; }  // UnsupportedGdiplusVersion
};

class AppStartTest : public ::testing::Test {
  protected:
    void TearDown() override { ::UnregisterClassW(kMainWindowClass, instance()); }

    static HINSTANCE instance() { return ::GetModuleHandleW(nullptr); }

    // Runs the application and returns its exit code and the text of the one
    // message box it showed.
    static std::pair<int, std::wstring> run(CHidMouseApp& app) {
        std::wstring shown;
        int exitCode = 0;
        {
            UiScript script({[&shown] {
                HWND box = ownDialog();
                if (!box) return false;
                shown = messageBoxText(box);
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                return true;
            }});
            exitCode = app.Run();
        }
        return {exitCode, shown};
    }
};

TEST_F(AppStartTest, AWindowClassThatCannotBeRegisteredIsNamedWithTheSystemsError) {
    WNDCLASSW taken{};
    ASSERT_TRUE(::GetClassInfoW(nullptr, WC_DIALOG, &taken));
    taken.lpszClassName = kMainWindowClass;
    taken.hInstance = instance();
    ASSERT_NE(::RegisterClassW(&taken), 0);

    CHidMouseApp app(instance());
    const auto [exitCode, shown] = run(app);
    EXPECT_EQ(exitCode, CHidMouseApp::kStartFailedExitCode);
    EXPECT_NE(shown.find(L"Failed call: RegisterClassW\n"), std::wstring::npos) << shown;
    EXPECT_NE(shown.find(L"\nError code: 1410"), std::wstring::npos) << shown;
}

TEST_F(AppStartTest, GdiplusThatDoesNotStartIsNamedWithItsStatus) {
    FailingGdiplusApp app(instance());
    const auto [exitCode, shown] = run(app);
    EXPECT_EQ(exitCode, CHidMouseApp::kStartFailedExitCode);
    EXPECT_EQ(shown,
              L"TRV418 could not start.\nFailed call: GdiplusStartup\nUnsupportedGdiplusVersion\n"
              L"Error code: 17");
}

TEST_F(AppStartTest, AMainWindowThatCannotBeMadeIsNamedWithTheSystemsError) {
    // This test program holds no template of the main window.
    CHidMouseApp app(instance());
    const auto [exitCode, shown] = run(app);
    EXPECT_EQ(exitCode, CHidMouseApp::kStartFailedExitCode);
    EXPECT_NE(shown.find(L"Failed call: CreateDialogParamW\n"), std::wstring::npos) << shown;
    EXPECT_EQ(shown.find(L"Error code: 0"), std::wstring::npos) << shown;
}

}  // namespace
}  // namespace trv
