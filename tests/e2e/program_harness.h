#pragma once
// Starts the staged TRV418.exe as a real process under test and finds its main
// window, so tests can act on it the way the shell and other programs do.

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <string>

#include "app/resource.h"
#include "app/window_messages.h"

namespace trv::e2e {

inline constexpr UINT kTrayNotify = WM_TRAY_NOTIFY;
inline constexpr UINT kShowBalloon = WM_SHOW_BALLOON;
inline constexpr UINT kTrayExitCommand = ID_TRAY_EXIT;

// A Linux path of the build tree as Wine sees it.
std::wstring windowsPath(const std::string& unixPath);

bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

class RunningProgram {
  public:
    // Starts folder\TRV418.exe with the folder as its working directory.
    explicit RunningProgram(const std::wstring& folder);
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();  // ends the process if it still runs

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    // The main window of this process, once it exists (null after the timeout).
    HWND waitForMainWindow();
    // A visible message box of this process with this caption, once it shows
    // (null after the timeout).
    HWND waitForMessageBox(const std::wstring& caption,
                           std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool running() const;
    // The exit code once the process ended, or STILL_ACTIVE after the timeout.
    DWORD waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// A fresh copy of a staged folder (TRV418.exe, trv418ctl.exe, config.bin, str.ini) under the
// temporary folder, so a test starts from the staged files and changes nothing
// that other tests or the run command use.
std::wstring freshCopyOf(const std::wstring& stagedFolder, const std::wstring& name);

// The whole content of a file, empty when it cannot be read.
std::string fileText(const std::wstring& path);

// Whether any visible balloon (a tooltip window of another process) shows.
bool balloonVisible(DWORD notOfPid);

}  // namespace trv::e2e
