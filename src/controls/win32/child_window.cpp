#include "controls/win32/child_window.h"

#include <stdexcept>
#include <string>

namespace controls {

void RegisterWindowClass(const wchar_t* className, WNDPROC procedure, HBRUSH background,
                         const char* what) {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (GetClassInfoExW(module, className, &type)) return;
  type.lpfnWndProc = procedure;
  type.hInstance = module;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = background;
  type.lpszClassName = className;
  if (RegisterClassExW(&type) == 0) {
    throw std::runtime_error(std::string(what) + "'s window class cannot be registered");
  }
}

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
