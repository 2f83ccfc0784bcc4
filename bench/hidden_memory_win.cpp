// What the program costs while it waits hidden in the notification area, and
// how quickly an icon click brings the page back. Starts a bare Win32 program
// (this program with --bare: one hidden window and a message loop) and the
// demo TRV418.exe from a temporary copy of its staged folder, and reads their
// private bytes from outside: the bare program, TRV418.exe hidden after its
// start-up, shown after an icon click, and hidden again. The click is the
// icon's own message sent to the window; click-to-drawn is that message and
// the window's first paint after it, as a median over several show/hide
// rounds. Start-up is each program's time from its creation until it first
// waits for input. Run under Wine (or on Windows), after building stage_demo,
// with the display scale to be measured (Wine: the prefix's LogPixels):
//   wine bench_hidden_memory_win.exe [staged-demo-folder]
// Without a folder it uses build/windows/stage/demo beside this program.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr UINT kTrayNotify = WM_USER + 1;  // the icon's callback message
constexpr WPARAM kTrayExit = 1028;         // the icon menu's Exit command
constexpr wchar_t kBareClass[] = L"TrvBareBenchWindow";
constexpr wchar_t kBareReady[] = L"TrvBareBenchReady";
constexpr int kRounds = 7;

int runBare() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kBareClass;
    if (!::RegisterClassW(&wc)) return 1;
    const HWND window = ::CreateWindowExW(0, kBareClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                          nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    // A console program has no input idle to wait for: it says when it is
    // ready instead.
    if (const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kBareReady)) {
        ::SetEvent(ready);
        ::CloseHandle(ready);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

fs::path stagedFolder() {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return {};
    return fs::path(self).parent_path().parent_path() / "stage/demo";
}

// Wine leaves PrivateUsage at 0 but fills PagefileUsage, which on Windows is
// the same commit charge.
long long privateKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters)) {
        std::fprintf(stderr, "GetProcessMemoryInfo failed: %lu\n", ::GetLastError());
        return -1;
    }
    return static_cast<long long>(counters.PrivateUsage ? counters.PrivateUsage
                                                        : counters.PagefileUsage) /
           1024;
}

struct Child {
    PROCESS_INFORMATION info{};
    bool started = false;
    ~Child() {
        if (!started) return;
        if (::WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(info.hProcess, 1);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
};

// Start-up time: from the process's creation until its thread first waits
// for input with nothing pending (WaitForInputIdle; for the bare program, its
// ready event), -1 if it never does.
double start(Child& child, std::wstring commandLine, const fs::path& folder,
             HANDLE ready = nullptr) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    const auto startTime = std::chrono::steady_clock::now();
    child.started =
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         folder.empty() ? nullptr : folder.c_str(), &si, &child.info) != FALSE;
    if (!child.started) {
        std::fprintf(stderr, "CreateProcessW failed: %lu\n", ::GetLastError());
        return -1;
    }
    const DWORD waited = ready ? ::WaitForSingleObject(ready, 30000)
                               : ::WaitForInputIdle(child.info.hProcess, 30000);
    if (waited != 0) return -1;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startTime)
        .count();
}

HWND waitForWindow(const wchar_t* className, DWORD processId, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        HWND window = nullptr;
        while ((window = ::FindWindowExW(nullptr, window, className, nullptr))) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == processId) return window;
        }
        ::Sleep(100);
    }
    return nullptr;
}

// Settles after a change: the figures are read once the process is idle.
long long settledKb(HANDLE process) {
    ::Sleep(2000);
    return privateKb(process);
}

// The icon's click, then the window's pending paint: the time until the page
// is on the screen.
double clickToDrawnMs(HWND window) {
    const auto startTime = std::chrono::steady_clock::now();
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, kTrayNotify, 0, WM_LBUTTONUP, SMTO_NORMAL, 10000, &ignored);
    ::UpdateWindow(window);
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startTime)
        .count();
}

void hide(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--bare") return runBare();
    const fs::path staged = argc > 1 ? fs::path(argv[1]) : stagedFolder();

    std::error_code error;
    const fs::path work = fs::temp_directory_path(error) /
                          ("trv_bench_hidden_" + std::to_string(::GetCurrentProcessId()));
    if (!error) fs::remove_all(work, error);
    if (!error) fs::copy(staged, work, fs::copy_options::recursive, error);
    if (error) {
        std::fprintf(stderr, "cannot copy %ls: %s\n", staged.c_str(), error.message().c_str());
        return 1;
    }

    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    long long bareKb = -1;
    double bareStartMs = -1;
    double programStartMs = -1;
    {
        Child bare;
        const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, kBareReady);
        bareStartMs = start(bare, L"\"" + std::wstring(self) + L"\" --bare", {}, ready);
        if (ready) ::CloseHandle(ready);
        if (!bare.started) return 1;
        const HWND window = waitForWindow(kBareClass, bare.info.dwProcessId, 20000);
        if (!window) {
            std::fprintf(stderr, "the bare program shows no window\n");
            return 1;
        }
        bareKb = settledKb(bare.info.hProcess);
        ::PostMessageW(window, WM_QUIT, 0, 0);
    }

    long long startedKb = 0;
    long long shownKb = 0;
    long long hiddenAgainKb = 0;
    std::vector<double> clicks;
    {
        Child program;
        programStartMs = start(program, L"\"" + (work / "TRV418.exe").wstring() + L"\"", work);
        if (!program.started) return 1;
        const HWND window = waitForWindow(L"Trv418GmClass", program.info.dwProcessId, 30000);
        if (!window) {
            std::fprintf(stderr, "TRV418.exe shows no window\n");
            return 1;
        }
        ::Sleep(3000);  // start-up: the device read, the page build, the hide
        startedKb = settledKb(program.info.hProcess);
        for (int round = 0; round < kRounds; ++round) {
            clicks.push_back(clickToDrawnMs(window));
            if (!::IsWindowVisible(window)) {
                std::fprintf(stderr, "the icon click did not show the window\n");
                break;
            }
            if (round == 0) shownKb = settledKb(program.info.hProcess);
            hide(window);
            if (round == 0) hiddenAgainKb = settledKb(program.info.hProcess);
            ::Sleep(300);
        }
        ::PostMessageW(window, WM_COMMAND, kTrayExit, 0);
    }
    std::vector<double> sorted = clicks;
    std::sort(sorted.begin(), sorted.end());

    const HDC screen = ::GetDC(nullptr);
    std::printf("display: %d DPI\n", ::GetDeviceCaps(screen, LOGPIXELSX));
    ::ReleaseDC(nullptr, screen);
    std::printf("start-up ms (until idle for input): bare %.1f, TRV418 %.1f\n", bareStartMs,
                programStartMs);
    std::printf(
        "private KB: bare %lld, TRV418 hidden after start-up %lld (+%lld), shown %lld "
        "(+%lld), hidden again %lld (+%lld)\n",
        bareKb, startedKb, startedKb - bareKb, shownKb, shownKb - bareKb, hiddenAgainKb,
        hiddenAgainKb - bareKb);
    if (!sorted.empty()) {
        std::printf("click-to-drawn ms: first %.1f, median %.1f, max %.1f over %zu clicks\n",
                    clicks.front(), sorted[sorted.size() / 2], sorted.back(), sorted.size());
    }
    fs::remove_all(work, error);
    return 0;
}
