#pragma once
// The DPI a window is drawn at, on every Windows the program runs on: the
// window's own (its monitor's, for a per-monitor aware program) where the
// system can tell it, the system DPI before that (Windows 7 and 8.1 lack
// GetDpiForWindow, so it is looked up at run time).

#include <windows.h>

namespace trv::win {

int windowDpi(HWND window);

// A system metric as it is at `dpi` (GetSystemMetricsForDpi), or at the
// system DPI where that call is missing.
int systemMetricForDpi(int index, int dpi);

// Keeps the dialog manager from resizing a dialog, moving its controls and
// changing their fonts when the DPI changes (Windows 10 1703 and later), for
// a window that lays itself out again at the new DPI.
void keepDialogLayoutOnDpiChange(HWND dialog);

// Windows created in this scope are DPI-unaware: the system stretches them to
// their monitor's scale (Windows 10 1607 and later), for windows that are
// drawn in fixed 96-DPI pixels and would otherwise show at their 100 % size
// beside a page drawn at the monitor's scale. A window's procedure always
// runs in the window's own context, whatever the thread's.
class DpiUnawareScope {
  public:
    DpiUnawareScope();
    ~DpiUnawareScope();
    DpiUnawareScope(const DpiUnawareScope&) = delete;
    DpiUnawareScope& operator=(const DpiUnawareScope&) = delete;

  private:
    void* previous_ = nullptr;  // the thread's context before; none where the call is missing
};

}  // namespace trv::win
