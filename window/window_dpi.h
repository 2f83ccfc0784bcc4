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

}  // namespace trv::win
