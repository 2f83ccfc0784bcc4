#pragma once
// The application object: registers the main window's class, starts GDI+ and
// runs the main window modally for the life of the process.

#include <windows.h>

#include <cstdint>

#include "app/window_messages.h"
#include "window/dialog.h"

namespace trv {

class CHidMouseApp : public win::WinApp {
  public:
    using win::WinApp::WinApp;
    BOOL InitInstance() override;
    int ExitInstance() override;

  private:
    ULONG_PTR gdiplusToken_ = 0;
    bool gdiplusStarted_ = false;
};

}  // namespace trv
