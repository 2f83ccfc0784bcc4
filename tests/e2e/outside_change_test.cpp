// The demo build told by another process, the way trv418ctl tells it after a
// change, that config.bin, str.ini or the mouse changed: it loads everything
// again and says so, and asks first when the page holds changes the user has
// not applied. What the page then holds is read back from its next Apply, on
// the virtual mouse and in config.bin.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ctl/program_notice_win.h"
#include "e2e/program_harness.h"
#include "support/ui_script_win.h"
#include "ui/page_layout.h"

namespace trv::e2e {
namespace {

using namespace std::chrono_literals;

// Report-rate codes, as config.bin and the mouse's header hold them.
constexpr char k1000Hz = 1;
constexpr char k250Hz = 4;  // knob 2
constexpr char k125Hz = 8;
constexpr std::size_t kConfigApplied = 0;  // config.bin's first-run flag: 1 once applied
constexpr std::size_t kConfigRate = 1 + 5;
constexpr std::size_t kMouseRate = 0;  // virtual-mouse.bin: header byte 0

const std::wstring kCaption = L"TRV418";
const std::wstring kQuestion =
    L"The settings were changed outside the program. Take the new settings and drop the changes "
    L"on this page?";

void putByte(const std::wstring& file, std::size_t at, char value) {
    std::string bytes = fileText(file);
    ASSERT_GT(bytes.size(), at) << "no such byte in the file";
    bytes[at] = value;
    std::ofstream(std::filesystem::path(file), std::ios::binary | std::ios::trunc) << bytes;
}

char byteOf(const std::wstring& file, std::size_t at) {
    const std::string bytes = fileText(file);
    return at < bytes.size() ? bytes[at] : '\xFF';
}

// The staged demo folder after an earlier Apply: a first run would change the
// page's settings while building it, and the page would start with changes.
std::wstring appliedCopy() {
    const std::wstring folder = freshCopyOf(windowsPath(TRV_STAGE_DEMO), L"outside-change");
    putByte(folder + L"\\config.bin", kConfigApplied, 1);
    return folder;
}

struct Written {
    char mouse = 0;
    char configBin = 0;
};

class OutsideChange : public ::testing::Test {
  protected:
    void SetUp() override {
        ::SetCursorPos(900, 900);  // away from the notification area's tooltips
        ASSERT_EQ(byteOf(configBin_, kConfigRate), k1000Hz) << "the staged rate moved";
        ASSERT_TRUE(program_.started());
        window_ = program_.waitForMainWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(window_); }));
        ::PostMessageW(window_, kTrayNotify, 0, WM_LBUTTONUP);
        ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }, 5s));
    }

    // The pointer rests before the click: a click that comes with the motion,
    // just after the window was shown, is sometimes lost on the way through
    // Wine.
    void click(const ui::Rect& r) {
        trv::testing::pointAt(window_, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::Sleep(300);
        trv::testing::leftClick();
        ::Sleep(400);
    }

    // config.bin as `trv418ctl import` of a profile holding only a rate
    // leaves it, then the notice the tool posts.
    void changeRateOutside(char rateCode) {
        putByte(configBin_, kConfigRate, rateCode);
        ctl::tellRunningProgram();
    }

    // Apply, and the rate it wrote to the mouse and to config.bin.
    Written apply() {
        click(ui::layout::kApply);
        const std::wstring log = folder_ + L"\\virtual-mouse-wire.log";
        EXPECT_TRUE(waitUntil([&] {
            return fileText(log).find("AA CC EE DD 05") != std::string::npos;
        })) << "Apply wrote nothing to the mouse";
        ::Sleep(500);  // config.bin is saved after the mouse's last page
        return {byteOf(folder_ + L"\\virtual-mouse.bin", kMouseRate),
                byteOf(configBin_, kConfigRate)};
    }

    // The question, once it shows, answered with IDYES or IDNO.
    void answer(int button) {
        const HWND box = program_.waitForMessageBox(kCaption);
        ASSERT_NE(box, nullptr) << "no question";
        EXPECT_EQ(trv::testing::messageBoxText(box), kQuestion);
        ASSERT_NE(::GetDlgItem(box, button), nullptr);
        ::PostMessageW(::GetDlgItem(box, button), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return !::IsWindow(box); }));
    }

    const std::wstring folder_ = appliedCopy();
    const std::wstring configBin_ = folder_ + L"\\config.bin";
    RunningProgram program_{folder_};
    HWND window_ = nullptr;
};

TEST_F(OutsideChange, WithNothingUnappliedThePageTakesTheNewSettingsAndABalloonSaysSo) {
    ASSERT_TRUE(waitUntil([&] { return !balloonVisible(program_.pid()); }, 15s));
    changeRateOutside(k125Hz);
    EXPECT_TRUE(waitUntil([&] { return balloonVisible(program_.pid()); }, 6s));
    EXPECT_EQ(program_.waitForMessageBox(kCaption, 1s), nullptr) << "nothing to ask about";
    EXPECT_TRUE(::IsWindowVisible(window_));

    const Written written = apply();
    EXPECT_EQ(written.mouse, k125Hz);
    EXPECT_EQ(written.configBin, k125Hz);
}

TEST_F(OutsideChange, WithAnUnappliedChangeNoKeepsThePagesChangeForItsApply) {
    click(ui::layout::knob(2));
    changeRateOutside(k125Hz);
    ASSERT_NO_FATAL_FAILURE(answer(IDNO));
    EXPECT_TRUE(::IsWindowVisible(window_));

    const Written written = apply();
    EXPECT_EQ(written.mouse, k250Hz);
    EXPECT_EQ(written.configBin, k250Hz);
}

TEST_F(OutsideChange, WithAnUnappliedChangeYesShowsTheNewSettings) {
    click(ui::layout::knob(2));
    changeRateOutside(k125Hz);
    ASSERT_NO_FATAL_FAILURE(answer(IDYES));
    EXPECT_TRUE(::IsWindowVisible(window_));

    const Written written = apply();
    EXPECT_EQ(written.mouse, k125Hz);
    EXPECT_EQ(written.configBin, k125Hz);
}

}  // namespace
}  // namespace trv::e2e
