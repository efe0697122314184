#pragma once
// The DPI that a window's twips become pixels by.
#include <windows.h>

namespace controls {

// The DPI of the monitor the window is on. GetDpiForWindow is looked up rather than
// imported, so the program still starts on a Windows older than 10, where the screen's
// DPI is the only one.
int WindowDpi(HWND window);

}  // namespace controls
