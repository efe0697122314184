#pragma once
// A top-level window for the Win32 control tests, shown on the test display: a container
// as the tool's window is one, reflecting its children's notifications to them and
// keeping the ID of every command that reaches it.
#include <windows.h>

#include <vector>

#include "controls/win32/message_reflection.h"

namespace win32_testing {

class HostWindow {
 public:
  HostWindow() {
    static const ATOM kClass = [] {
      WNDCLASSEXW type{};
      type.cbSize = sizeof type;
      type.lpfnWndProc = Procedure;
      type.hInstance = GetModuleHandleW(nullptr);
      type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      type.lpszClassName = L"RegToolTestHost";
      return RegisterClassExW(&type);
    }();
    window_ = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kClass)),
                              L"controls", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    ShowWindow(window_, SW_SHOW);
    Settle();
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }
  const std::vector<int>& Commands() const { return commands_; }

  // Lets the windows handle what is queued for them and paint.
  static void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    LRESULT result = 0;
    if (controls::ReflectToChild(window, message, wParam, lParam, &result)) return result;
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr) self->commands_.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_;
  std::vector<int> commands_;
};

}  // namespace win32_testing
