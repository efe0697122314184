#pragma once
// How a key of the keyboard dialog looks on Windows: a light grey face in a bevel,
// its caption, and while held down the picture of a hand pressing a key in place of
// the caption; the Back key carries a black left arrow instead of a caption. The
// pictures are drawn in code on a 32 x 32 grid, scaled to the window's DPI.
#include <windows.h>

#include "keyboard/anumkey_layout.h"

namespace keyboard {

COLORREF Rgb(const layout::Colour& colour);

// For WM_DRAWITEM of an owner-drawn key; the caption and font are the button's own.
void DrawKey(const DRAWITEMSTRUCT& item, bool leftArrow, int dpi);

}  // namespace keyboard
