// Prints, one a line in UTF-8, the texts of the balloons the notification
// area shows now: every visible tooltip window of the desktop. A test script
// reads what the user would read there.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK printIfBalloon(HWND hwnd, LPARAM) {
    wchar_t className[64] = {};
    ::GetClassNameW(hwnd, className, 64);
    if (std::wstring(className) != L"tooltips_class32" || !::IsWindowVisible(hwnd)) return TRUE;
    // Sent, not read from the window's caption: the tooltip answers with its tool's text.
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                               SMTO_ABORTIFHUNG, 2000, &length)) {
        return TRUE;
    }
    char utf8[2048] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return TRUE;
}

}  // namespace

int wmain() {
    ::EnumWindows(printIfBalloon, 0);
    return 0;
}
