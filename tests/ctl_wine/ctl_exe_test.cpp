// The built trv418ctl.exe as a user runs it: a process of its own under Wine,
// beside config.bin and str.ini, talking to the virtual mouse kept in its
// folder. A start costs a second or two under Wine, so each command runs
// once, in the order a user would take them.

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/main_model.h"
#include "config/settings_file_win.h"
#include "config/win_profile_store_win.h"
#include "ctl/tool_services.h"
#include "device/virtual_mouse.h"
#include "device/virtual_mouse_folder.h"
#include "perf/system_pointer_win.h"
#include "window/handles.h"
#include "window/system_error_text.h"

namespace trv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::wstring windowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

const std::wstring kTool = windowsPath(TRV_CTL_EXE);
const std::wstring kStaged = windowsPath(TRV_STAGE_PLAIN);

Bytes fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string fileText(const fs::path& file) {
    const Bytes bytes = fileBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

// A fresh folder holding the tool (or nothing of it) beside the staged
// config.bin and str.ini.
fs::path freshFolder(const std::string& name, bool withTool) {
    const fs::path folder = fs::temp_directory_path() / ("trv418-ctl-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* file : {"config.bin", "str.ini"}) {
        fs::copy_file(fs::path(kStaged) / file, folder / file);
    }
    if (withTool) fs::copy_file(kTool, folder / "trv418ctl.exe");
    return folder;
}

struct Finished {
    DWORD code = STILL_ACTIVE;
    std::string out;
    std::string err;
};

// Runs the folder's trv418ctl.exe with its streams in files, as a script would.
Finished runTool(const fs::path& folder, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    // Files of their own per run: Wine may close the last run's handles on
    // them only after that process has been seen to end.
    static int runs = 0;
    ++runs;
    const fs::path outFile = folder / ("out-" + std::to_string(runs) + ".txt");
    const fs::path errFile = folder / ("err-" + std::to_string(runs) + ".txt");
    Finished finished;
    {
        win::FileHandle out(::CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inheritable, CREATE_ALWAYS, 0, nullptr));
        win::FileHandle err(::CreateFileW(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inheritable, CREATE_ALWAYS, 0, nullptr));
        if (!out || !err) {
            ADD_FAILURE() << "the output files cannot be made: " << ::GetLastError();
            return finished;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        std::wstring command = L"\"" + (folder / "trv418ctl.exe").wstring() + L"\" " + arguments;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                              nullptr, folder.c_str(), &startup, &process)) {
            ADD_FAILURE() << "CreateProcessW failed: " << ::GetLastError();
            return finished;
        }
        win::KernelHandle processHandle(process.hProcess);
        win::KernelHandle threadHandle(process.hThread);
        ::WaitForSingleObject(process.hProcess, 60000);
        ::GetExitCodeProcess(process.hProcess, &finished.code);
    }
    finished.out = fileText(outFile);
    finished.err = fileText(errFile);
    return finished;
}

std::wstring quoted(const fs::path& path) {
    return L"\"" + path.wstring() + L"\"";
}

// The main window's part, with no one to show anything to.
class SilentWindow final : public WindowPort {
  public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }
    void showBalloon(std::uint32_t) override {}
    void showBalloonText(const Balloon&) override {}
    std::optional<std::u16string> chooseFile(const FileQuestion&) override { return std::nullopt; }
    void hideWindow() override {}
    bool registerDeviceNotifications() override { return true; }
    void loadSkinAndFonts() override {}
    void tearDownPage() override {}
    void redraw(const ui::Redraw&) override {}
};

// The same start-up and OK as TRV418.exe runs them, in this process, on the
// program's own Windows adapters.
void applyAsTheProgramDoes(const fs::path& folder) {
    VirtualMouseInFolder mouse = openVirtualMouse(folder);
    SleepingClock clock;
    SilentWindow window;
    win::WinSettingsFileSystem files;
    win::WinProfileStore strIni((folder / "str.ini").u16string());
    Win32SystemPointer system;
    ctl::UnchangedPointer pointer(system);
    MainWindowModel model({*mouse.hid, clock, window, files, strIni, pointer, {}},
                          settingsFilePaths((folder / "TRV418.exe").u16string()));
    ASSERT_TRUE(model.startUp());
    ASSERT_TRUE(model.confirm());
}

TEST(CtlExe, StatusBackupApplyAndRestoreAgainstTheVirtualMouse) {
    const fs::path folder = freshFolder("mouse", true);
    const fs::path program = freshFolder("program", false);
    const std::wstring mouse = L"--virtual " + quoted(folder) + L" ";

    // The first command makes the virtual mouse; the others use the one kept there.
    const Finished status = runTool(folder, L"--virtual-new " + quoted(folder) + L" status");
    EXPECT_EQ(status.code, 0u) << status.err;
    EXPECT_EQ(status.out.find("Mouse: found\r\n  command collection: \\\\?\\hid#vid_04d9"), 0u)
        << status.out;
    EXPECT_NE(status.out.find("Report rate: 1000 Hz\r\n"), std::string::npos);
    const Bytes factory = fileBytes(folder / "virtual-mouse.bin");

    const Bytes configBin = fileBytes(folder / "config.bin");
    EXPECT_EQ(runTool(folder, mouse + L"backup " + quoted(folder / "b.trvb")).code, 0u);
    EXPECT_EQ(fileText(folder / "b.trvb").substr(0, 6), std::string("TRVB\x02\x00", 6))
        << "the whole configuration, format 2";

    const Finished apply = runTool(folder, mouse + L"apply --no-pointer");
    EXPECT_EQ(apply.code, 0u) << apply.err;
    applyAsTheProgramDoes(program);
    for (const char* file : {"virtual-mouse.bin", "config.bin", "str.ini"}) {
        EXPECT_EQ(fileBytes(folder / file), fileBytes(program / file)) << file;
    }
    EXPECT_NE(fileBytes(folder / "virtual-mouse.bin"), factory) << "a first run's apply changes it";

    const Finished restore = runTool(folder, mouse + L"restore " + quoted(folder / "b.trvb"));
    EXPECT_EQ(restore.code, 0u) << restore.err;
    EXPECT_EQ(fileBytes(folder / "virtual-mouse.bin"), factory);
    EXPECT_EQ(fileBytes(folder / "config.bin"), configBin);
}

TEST(CtlExe, ExportThenImportLeaveConfigBinAndStrIniAsTheyWere) {
    const fs::path folder = freshFolder("profile", true);
    Bytes applied = fileBytes(folder / "config.bin");
    applied[0] = 1;  // applied once, so that import, which marks it so, changes nothing
    std::ofstream(folder / "config.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(applied.data()), applied.size());
    const Bytes strIni = fileBytes(folder / "str.ini");

    const Finished exported = runTool(folder, L"export " + quoted(folder / "p.ini"));
    const Finished imported = runTool(folder, L"import " + quoted(folder / "p.ini"));

    EXPECT_EQ(exported.code, 0u) << exported.err;
    EXPECT_EQ(imported.code, 0u) << imported.err;
    EXPECT_NE(fileText(folder / "p.ini").find("[ModeA]\r\nButton1=Left Click\r\n"),
              std::string::npos);
    EXPECT_EQ(fileBytes(folder / "config.bin"), applied);
    EXPECT_EQ(fileBytes(folder / "str.ini"), strIni);
}

TEST(CtlExe, WithoutTheMouseStatusExitsWithTwo) {
    const fs::path folder = freshFolder("none", true);
    const Finished status = runTool(folder, L"status");
    EXPECT_EQ(status.code, 2u);
    EXPECT_EQ(status.out, "Mouse: not found\r\n");
    EXPECT_NE(status.err.find("was not found; plug it in"), std::string::npos);

    // A folder without a virtual mouse is no mouse either, and gets none.
    fs::create_directory(folder / "empty");
    const Finished empty = runTool(folder, L"status --virtual=" + quoted(folder / "empty"));
    EXPECT_EQ(empty.code, 2u);
    EXPECT_NE(empty.err.find("no virtual mouse in "), std::string::npos) << empty.err;
    EXPECT_TRUE(fs::is_empty(folder / "empty"));
}

TEST(CtlExe, MistakesAndFilesOutOfReachExitWithTheirCodesAndSayWhy) {
    const fs::path folder = freshFolder("mistakes", true);

    const Finished help = runTool(folder, L"help backup");
    EXPECT_EQ(help.code, 0u);
    EXPECT_EQ(help.out.find("Usage: trv418ctl backup FILE [--config PATH]\r\n"), 0u) << help.out;
    EXPECT_NE(help.out.find("Example:\r\n  trv418ctl backup mouse.trvb\r\n"), std::string::npos);
    EXPECT_EQ(runTool(folder, L"backup").code, 1u);

    // The system's own words for the error, and its number.
    const Finished backup = runTool(folder, L"backup " + quoted(folder / "missing" / "b.trvb") +
                                                L" --virtual-new " + quoted(folder));
    EXPECT_EQ(backup.code, 6u);
    const std::u16string words = win::systemErrorText(ERROR_PATH_NOT_FOUND);
    ASSERT_FALSE(words.empty());
    const std::string told = std::string(words.begin(), words.end()) + " (3); check";
    EXPECT_NE(backup.err.find(told), std::string::npos) << backup.err << " lacks " << told;

    std::ofstream(folder / "p.ini") << "[Profile]\nFormat=1\n[ReportRate]\nRate=byte 99\n";
    const Finished byteN = runTool(folder, L"import " + quoted(folder / "p.ini"));
    EXPECT_EQ(byteN.code, 4u);
    EXPECT_NE(byteN.err.find("p.ini:4: Rate: \"byte 99\" is not one of"), std::string::npos)
        << byteN.err;

    const Finished noConfig = runTool(
        folder, L"import " + quoted(folder / "p.ini") + L" --config=" + quoted(folder / "no.bin"));
    EXPECT_EQ(noConfig.code, 6u);
    EXPECT_EQ(noConfig.out, "");
    EXPECT_FALSE(fs::exists(folder / "no.bin"));

    // config.bin held by another program, shared with nobody: the command
    // stops before it writes the mouse, and says why.
    const Bytes mouseBefore = fileBytes(folder / "virtual-mouse.bin");
    {
        win::FileHandle held(::CreateFileW((folder / "config.bin").c_str(), GENERIC_READ, 0,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const Finished apply = runTool(folder, L"apply --no-pointer --virtual " + quoted(folder));
        EXPECT_EQ(apply.code, 6u);
        const std::u16string sharing = win::systemErrorText(ERROR_SHARING_VIOLATION);
        const std::string cause = std::string(sharing.begin(), sharing.end()) + " (32)";
        EXPECT_NE(apply.err.find("config.bin cannot be read: " + cause), std::string::npos)
            << apply.err;
    }
    EXPECT_EQ(fileBytes(folder / "virtual-mouse.bin"), mouseBefore);
}

// A script never stops at an elevation prompt: the tool asks for no rights
// beyond its prompt's.
TEST(CtlExe, AsksForNoElevation) {
    const HMODULE tool = ::LoadLibraryExW(kTool.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(tool, nullptr);
    const HRSRC found = ::FindResourceW(tool, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const char* manifest = static_cast<const char*>(::LockResource(::LoadResource(tool, found)));
    const std::string text(manifest, ::SizeofResource(tool, found));
    ::FreeLibrary(tool);
    EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << text;
}

}  // namespace
}  // namespace trv
