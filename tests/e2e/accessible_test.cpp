// The main window as a screen reader reaches it: from this process, through
// the system's accessibility functions, into the running demo build.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "app/page_accessible_win.h"
#include "e2e/program_harness.h"
#include "ui/page_access.h"

namespace trv::e2e {
namespace {

using namespace std::chrono_literals;

constexpr long kReportRateChild = 11;
constexpr long kApplyChild = 30;

VARIANT child(long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

class ScreenReader : public testing::Test {
  protected:
    ScreenReader() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ScreenReader() override {
        if (page_) page_->Release();
        program_.reset();
        ::CoUninitialize();
    }

    // The demo in `language` (a str.ini code), shown from its icon, and its
    // window's accessible object.
    void start(const wchar_t* code, const wchar_t* name) {
        folder_ = freshCopyOf(windowsPath(TRV_STAGE_DEMO), name);
        ::WritePrivateProfileStringW(L"Skins", L"Lan", code, (folder_ + L"\\str.ini").c_str());
        program_ = std::make_unique<RunningProgram>(folder_);
        window_ = program_->waitForMainWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));
        ::PostMessageW(window_, kTrayNotify, 0, WM_LBUTTONUP);
        ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }, 5s));
        ASSERT_EQ(::AccessibleObjectFromWindow(window_, OBJID_CLIENT, kIidAccessible,
                                               reinterpret_cast<void**>(&page_)),
                  S_OK);
    }

    std::wstring textOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long id) {
        BSTR text = nullptr;
        if (FAILED((page_->*get)(child(id), &text)) || !text) return L"";
        std::wstring out(text, ::SysStringLen(text));
        ::SysFreeString(text);
        return out;
    }
    std::wstring nameOf(long id) { return textOf(&IAccessible::get_accName, id); }
    std::wstring valueOf(long id) { return textOf(&IAccessible::get_accValue, id); }

    void namesMatch(Language language) {
        long count = 0;
        ASSERT_EQ(page_->get_accChildCount(&count), S_OK);
        ASSERT_EQ(count, ui::kFocusStops) << "one child per control";
        for (long id = 1; id <= count; ++id) {
            const std::u16string expected = ui::controlName(static_cast<int>(id - 1), language);
            EXPECT_EQ(nameOf(id), std::wstring(expected.begin(), expected.end())) << id;
        }
    }

    void key(WPARAM key) {
        ::PostMessageW(window_, WM_KEYDOWN, key, 1);
        ::PostMessageW(window_, WM_KEYUP, key, 0xC0000001);
    }

    std::wstring folder_;
    std::unique_ptr<RunningProgram> program_;
    HWND window_ = nullptr;
    IAccessible* page_ = nullptr;
};

TEST_F(ScreenReader, HearsEveryControlByItsEnglishName) {
    start(L"EN", L"access-en");
    namesMatch(Language::English);
    EXPECT_EQ(nameOf(kApplyChild), L"Apply");
    EXPECT_EQ(nameOf(4), L"Button 2");
    VARIANT role;
    ASSERT_EQ(page_->get_accRole(child(kReportRateChild), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_RADIOBUTTON);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(page_->accLocation(&left, &top, &width, &height, child(kApplyChild)), S_OK);
    POINT origin{0, 0};
    ::ClientToScreen(window_, &origin);
    EXPECT_EQ(left - origin.x, 717);
    EXPECT_EQ(width, 105);
}

TEST_F(ScreenReader, HearsEveryControlByItsBulgarianName) {
    start(L"BUL", L"access-bul");
    namesMatch(Language::Bulgarian);
    EXPECT_EQ(nameOf(kApplyChild), L"Приложи");
    EXPECT_EQ(nameOf(4), L"Бутон 2");
}

TEST_F(ScreenReader, HearsTheReportRateFollowTheKeysAndApplyWritesTheMouse) {
    start(L"EN", L"access-apply");
    const std::wstring before = valueOf(kReportRateChild);
    EXPECT_NE(before.find(L" Hz"), std::wstring::npos) << "got " << before.c_str();
    for (int n = 0; n < kReportRateChild; ++n) key(VK_TAB);
    key(VK_HOME);
    key(VK_RIGHT);
    EXPECT_TRUE(waitUntil([&] { return valueOf(kReportRateChild) == L"250 Hz"; }, 5s))
        << "got " << valueOf(kReportRateChild).c_str();

    ASSERT_EQ(page_->accDoDefaultAction(child(kApplyChild)), S_OK);
    const std::wstring log = folder_ + L"\\virtual-mouse-wire.log";
    EXPECT_TRUE(
        waitUntil([&] { return fileText(log).find("AA CC EE DD 05") != std::string::npos; }));
    ::Sleep(300);
    const std::string mouse = fileText(folder_ + L"\\virtual-mouse.bin");
    ASSERT_EQ(mouse.size(), 322u);
    EXPECT_EQ(mouse[0], 4) << "250 Hz in the header";
}

}  // namespace
}  // namespace trv::e2e
