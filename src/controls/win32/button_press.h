#pragma once
// An owner-drawn button reports the second click of a double-click as BN_DBLCLK, not as a
// click, and does not show it pressed; two quick taps on a touch screen are such a pair.
// A button's subclass passes its messages through here, so each tap is a press: shown
// pressed, and clicked once when the button comes up.
#include <windows.h>

namespace controls {

inline UINT SecondClickAsPress(UINT message) {
  return message == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : message;
}

}  // namespace controls
