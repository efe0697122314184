#pragma once
// Two quick taps on a control, as Windows reports them to it: down, up, then for the
// second the double-click and up. Windows builds only.
#include <windows.h>

namespace testing_support {

inline void DoubleClick(HWND control) {
  RECT area{};
  GetClientRect(control, &area);
  const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
  for (const UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    SendMessageW(control, down, MK_LBUTTON, middle);
    SendMessageW(control, WM_LBUTTONUP, 0, middle);
  }
}

}  // namespace testing_support
