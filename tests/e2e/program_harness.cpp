#include "e2e/program_harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace trv::e2e {

std::wstring windowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

std::wstring freshCopyOf(const std::wstring& stagedFolder, const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"trv418-e2e-" + name;
    for (const wchar_t* file : {L"virtual-mouse.bin", L"virtual-mouse-wire.log"}) {
        ::DeleteFileW((folder + L"\\" + file).c_str());
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file : {L"TRV418.exe", L"trv418ctl.exe", L"config.bin", L"str.ini"}) {
        ::CopyFileW((stagedFolder + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE);
    }
    std::error_code error;
    std::filesystem::copy(
        std::filesystem::path(stagedFolder) / L"Skins", std::filesystem::path(folder) / L"Skins",
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::update_existing,
        error);
    return folder;
}

std::string fileText(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

RunningProgram::RunningProgram(const std::wstring& folder) {
    std::wstring commandLine = L"\"" + folder + L"\\TRV418.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         folder.c_str(), &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (!process_) return;
    if (running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
}

bool RunningProgram::running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD RunningProgram::waitForExit(std::chrono::milliseconds timeout) {
    if (!process_) return STILL_ACTIVE;
    ::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

namespace {

// The first top-level window of the given class for which `accept` holds.
HWND findTopLevel(const wchar_t* className, const std::function<bool(HWND, DWORD pid)>& accept) {
    struct Search {
        const wchar_t* className;
        const std::function<bool(HWND, DWORD)>* accept;
        HWND found = nullptr;
    } search{className, &accept};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (::lstrcmpW(name, s->className) == 0 && (*s->accept)(hwnd, pid)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND RunningProgram::waitForMainWindow() {
    // Idle means its initialisation has run and it waits for messages.
    if (process_) ::WaitForInputIdle(process_, 10000);
    HWND found = nullptr;
    waitUntil([&] {
        found = findTopLevel(kMainWindowClass, [&](HWND, DWORD pid) { return pid == pid_; });
        return found != nullptr;
    });
    return found;
}

HWND RunningProgram::waitForMessageBox(const std::wstring& caption,
                                       std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = findTopLevel(L"#32770", [&](HWND hwnd, DWORD pid) {
                wchar_t title[128] = {};
                ::GetWindowTextW(hwnd, title, 128);
                return pid == pid_ && caption == title && ::IsWindowVisible(hwnd);
            });
            return found != nullptr;
        },
        timeout);
    return found;
}

bool balloonVisible(DWORD notOfPid) {
    return findTopLevel(L"tooltips_class32", [&](HWND hwnd, DWORD pid) {
               return pid != notOfPid && ::IsWindowVisible(hwnd);
           }) != nullptr;
}

}  // namespace trv::e2e
