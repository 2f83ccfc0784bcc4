#pragma once
// The application object: registers the main window's class, starts GDI+ and
// runs the main window modally for the life of the process.

#include <windows.h>

#include <cstdint>

#include "app/window_messages.h"
#include "window/dialog.h"

namespace trv {

struct StartFailure;

class CHidMouseApp : public win::WinApp {
  public:
    using win::WinApp::WinApp;
    // A start that fails (window class, GDI+, main window) says which call
    // failed and why, and ends the program with this code.
    static constexpr int kStartFailedExitCode = 1;

    BOOL InitInstance() override;
    int ExitInstance() override;

  protected:
    // GdiplusStartup's status (0 is Ok); a seam for tests of its failure.
    virtual int startGdiplus(ULONG_PTR& token);

  private:
    BOOL failStart(const StartFailure& failure);

    ULONG_PTR gdiplusToken_ = 0;
    bool gdiplusStarted_ = false;
};

}  // namespace trv
