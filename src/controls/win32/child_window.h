#pragma once
// The controls' windows are all made alike: a child of the window that holds them,
// known to it by its control ID, placed in pixels of the holder's client area.
#include <windows.h>

namespace controls {

// Throws std::runtime_error naming `what` when the window cannot be made.
HWND CreateChildWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                       const RECT& pixels, const char* what, void* createParam = nullptr);

}  // namespace controls
