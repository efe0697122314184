#include "controls/win32/child_window.h"

#include <stdexcept>
#include <string>

namespace controls {

HWND CreateChildWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                       const RECT& pixels, const char* what, void* createParam) {
  const HWND window = CreateWindowExW(
      exStyle, className, L"", WS_CHILD | style, pixels.left, pixels.top,
      pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), createParam);
  if (window == nullptr) throw std::runtime_error(std::string(what) + " cannot be created");
  return window;
}

}  // namespace controls
