#pragma once
// The DPI that a window's twips become pixels by.
#include <windows.h>

namespace controls {

// The DPI of the monitor the window is on. GetDpiForWindow is looked up rather than
// imported, so the program still starts on a Windows older than 10, where the screen's
// DPI is the only one.
int WindowDpi(HWND window);

// Grows a client rectangle to the window's outer rectangle for a frame of `style` at
// `dpi`: the frame of a window on another monitor than the main one is drawn at that
// monitor's DPI. Before Windows 10 the system's DPI is the only one.
void ClientToFrame(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace controls
