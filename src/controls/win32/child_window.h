#pragma once
// The controls' windows are all made alike: a child of the window that holds them,
// known to it by its control ID, placed in pixels of the holder's client area. Their
// classes, and those of the program's own top windows, are registered alike too.
#include <windows.h>

namespace controls {

// Registers the window class `className` of this module once, with the arrow pointer and
// `background` (none: the window paints all of it); later calls find it registered.
// Throws std::runtime_error naming `what` when the class cannot be registered.
void RegisterWindowClass(const wchar_t* className, WNDPROC procedure, HBRUSH background,
                         const char* what);

// Throws std::runtime_error naming `what` when the window cannot be made.
HWND CreateChildWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                       const RECT& pixels, const char* what, void* createParam = nullptr);

}  // namespace controls
