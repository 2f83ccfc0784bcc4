// The demo build running while trv418ctl imports a profile beside it: the
// program loads everything again and says so, and asks first when the page
// holds changes the user has not applied. What the page then holds is read
// back from its next Apply, on the virtual mouse and in config.bin.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e/program_harness.h"
#include "perf/dpi.h"
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
// virtual-mouse.bin: the stages' DPI codes, after the two header bytes.
constexpr std::size_t kMouseStageCodes = block::kHeaderSize + block::kStageDpiCodes;

// What the profile sets stage 2 to, and the code the mouse gets for it.
constexpr char16_t kImportedLevel[] = u"3200";
std::uint8_t importedStage2Code() {
    for (std::size_t level = 0; level < 8; ++level) {
        if (dpiLevelLabel(0, level) == kImportedLevel) return dpiLevelCode(0, level);
    }
    return 0xFF;
}

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
    std::string mouseStageCodes;  // the four, without their not-ticked bits
};

// Runs the folder's trv418ctl.exe with these arguments; its exit code.
DWORD runTool(const std::wstring& folder, const std::wstring& arguments) {
    std::wstring line = L"\"" + folder + L"\\trv418ctl.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          folder.c_str(), &startup, &process)) {
        return 0xFFFF;
    }
    ::WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 0xFFFF;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

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

    // `trv418ctl import` of a profile with 125 Hz and stage 2 at 3200 DPI,
    // which tells the running program when it is done.
    void importOutside() {
        std::ofstream(std::filesystem::path(folder_ + L"\\profile.ini"), std::ios::binary)
            << "[Profile]\r\nFormat=1\r\n[ReportRate]\r\nRate=125 Hz\r\n[DPI]\r\n"
               "Stage2Level=3200\r\n";
        ASSERT_EQ(runTool(folder_, L"import profile.ini"), 0u);
        ASSERT_EQ(byteOf(configBin_, kConfigRate), k125Hz);
    }

    // Apply, and the rate it wrote to the mouse and to config.bin.
    Written apply() {
        click(ui::layout::kApply);
        const std::wstring log = folder_ + L"\\virtual-mouse-wire.log";
        EXPECT_TRUE(waitUntil([&] {
            return fileText(log).find("AA CC EE DD 05") != std::string::npos;
        })) << "Apply wrote nothing to the mouse";
        ::Sleep(500);  // config.bin is saved after the mouse's last page
        const std::wstring mouse = folder_ + L"\\virtual-mouse.bin";
        std::string codes;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            codes += static_cast<char>(byteOf(mouse, kMouseStageCodes + slot) & 0x7F);
        }
        return {byteOf(mouse, kMouseRate), byteOf(configBin_, kConfigRate), codes};
    }

    // What Apply wrote once the page holds the imported profile.
    static void expectImported(const Written& written) {
        EXPECT_EQ(written.mouse, k125Hz);
        EXPECT_EQ(written.configBin, k125Hz);
        EXPECT_NE(written.mouseStageCodes.find(static_cast<char>(importedStage2Code() & 0x7F)),
                  std::string::npos)
            << "stage 2 at 3200 DPI";
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
    ASSERT_NO_FATAL_FAILURE(importOutside());
    EXPECT_TRUE(waitUntil([&] { return balloonVisible(program_.pid()); }, 6s));
    EXPECT_EQ(program_.waitForMessageBox(kCaption, 1s), nullptr) << "nothing to ask about";
    EXPECT_TRUE(::IsWindowVisible(window_));

    expectImported(apply());
}

TEST_F(OutsideChange, WithAnUnappliedChangeNoKeepsThePagesChangeForItsApply) {
    click(ui::layout::knob(2));
    ASSERT_NO_FATAL_FAILURE(importOutside());
    ASSERT_NO_FATAL_FAILURE(answer(IDNO));
    EXPECT_TRUE(::IsWindowVisible(window_));

    const Written written = apply();
    EXPECT_EQ(written.mouse, k250Hz);
    EXPECT_EQ(written.configBin, k250Hz);
}

TEST_F(OutsideChange, WithAnUnappliedChangeYesShowsTheNewSettings) {
    click(ui::layout::knob(2));
    ASSERT_NO_FATAL_FAILURE(importOutside());
    ASSERT_NO_FATAL_FAILURE(answer(IDYES));
    EXPECT_TRUE(::IsWindowVisible(window_));

    expectImported(apply());
}

}  // namespace
}  // namespace trv::e2e
