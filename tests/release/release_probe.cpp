// What the release test cannot see from Linux, seen from inside Wine:
//
//   release_probe version FILE...   each file's version resource, one "key value" a line
//   release_probe started           waits for TRV418's main window: hidden, no task-bar
//                                   button, its notification icon present
//   release_probe exit              its Exit command, as the menu gives it; waits until
//                                   the window is gone
//
// Exit code 0 when all is as said, 1 otherwise, with the reason on stderr.

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/resource.h"
#include "app/window_messages.h"

namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

HWND mainWindow() { return ::FindWindowW(trv::kMainWindowClass, nullptr); }

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string quad(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + '.' + std::to_string(LOWORD(high)) + '.' +
           std::to_string(HIWORD(low)) + '.' + std::to_string(LOWORD(low));
}

bool printVersion(const wchar_t* file) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !::GetFileVersionInfoW(file, 0, size, data.data())) {
        std::fprintf(stderr, "no version resource in %s\n", narrow(file).c_str());
        return false;
    }
    std::printf("file %s\n", narrow(file).c_str());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed != nullptr) {
        std::printf("FixedFileVersion %s\n", quad(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str());
        std::printf("FixedProductVersion %s\n",
                    quad(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (!::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation)) {
        std::fprintf(stderr, "no translation in %s\n", narrow(file).c_str());
        return false;
    }
    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->codePage);
    for (const wchar_t* key : {L"ProductName", L"ProductVersion", L"FileVersion",
                               L"FileDescription", L"CompanyName"}) {
        wchar_t* value = nullptr;
        if (::VerQueryValueW(data.data(), (std::wstring(block) + key).c_str(),
                             reinterpret_cast<void**>(&value), &length) &&
            value != nullptr && length > 0) {
            std::printf("%s %s\n", narrow(key).c_str(), narrow(value).c_str());
        }
    }
    return true;
}

// The shell knows an icon by its window and id: modifying nothing in it
// succeeds only if the icon is there.
bool hasIcon(HWND window) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window;
    probe.uID = 0;
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

int started() {
    HWND window = nullptr;
    // The icon comes after the window's style is final, and before the
    // window first shows and hides itself.
    if (!waitUntil([&] { return (window = mainWindow()) != nullptr && hasIcon(window); }, 20s)) {
        std::fprintf(stderr, window ? "no notification icon\n" : "no window of class %s\n",
                     narrow(trv::kMainWindowClass).c_str());
        return 1;
    }
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_TOOLWINDOW) || (exStyle & WS_EX_APPWINDOW)) {
        std::fprintf(stderr, "the main window would have a task-bar button\n");
        return 1;
    }
    const auto hidden = [&] { return !::IsWindowVisible(window); };
    if (!waitUntil(hidden, 10s) || (std::this_thread::sleep_for(500ms), !hidden())) {
        std::fprintf(stderr, "the main window shows\n");
        return 1;
    }
    return 0;
}

int exitProgram() {
    const HWND window = mainWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "TRV418 does not run\n");
        return 1;
    }
    ::PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
    if (!waitUntil([] { return mainWindow() == nullptr; }, 10s)) {
        std::fprintf(stderr, "TRV418 did not end\n");
        return 1;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"version" && argc > 2) {
        bool ok = true;
        for (int i = 2; i < argc; ++i) ok = printVersion(argv[i]) && ok;
        return ok ? 0 : 1;
    }
    if (command == L"started") return started();
    if (command == L"exit") return exitProgram();
    std::fprintf(stderr, "usage: release_probe version FILE... | started | exit\n");
    return 2;
}
