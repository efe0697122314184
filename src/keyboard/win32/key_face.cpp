#include "keyboard/win32/key_face.h"

#include <string>

#include "keyboard/anumkey_layout.h"

namespace keyboard {
namespace {

constexpr int kPictureSize = 32;
const COLORREF kFace = RGB(layout::kKeyFace.red, layout::kKeyFace.green, layout::kKeyFace.blue);
const COLORREF kSkin = RGB(255, 214, 170);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kNavy = RGB(0, 0, 128);

// Draws in picture units: 32 of them across the picture, wherever it is placed.
class PictureCanvas {
 public:
  PictureCanvas(HDC dc, const RECT& area, int dpi)
      : dc_(dc),
        scale_(dpi),
        left_((area.left + area.right - Units(kPictureSize)) / 2),
        top_((area.top + area.bottom - Units(kPictureSize)) / 2) {}

  void Box(int left, int top, int right, int bottom, COLORREF fill, int round = 0) {
    const HBRUSH brush = CreateSolidBrush(fill);
    const HGDIOBJ oldBrush = SelectObject(dc_, brush);
    const HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(BLACK_PEN));
    RoundRect(dc_, X(left), Y(top), X(right), Y(bottom), Units(round), Units(round));
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
    DeleteObject(brush);
  }
  void Line(int x1, int y1, int x2, int y2) {
    const HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(BLACK_PEN));
    MoveToEx(dc_, X(x1), Y(y1), nullptr);
    LineTo(dc_, X(x2), Y(y2));
    SelectObject(dc_, oldPen);
  }
  void Shape(const POINT* points, int count) {
    POINT placed[16];
    for (int i = 0; i < count && i < 16; ++i) placed[i] = {X(points[i].x), Y(points[i].y)};
    const HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(BLACK_BRUSH));
    const HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(BLACK_PEN));
    Polygon(dc_, placed, count);
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
  }

 private:
  int Units(int units) const { return MulDiv(units, scale_, USER_DEFAULT_SCREEN_DPI); }
  int X(int x) const { return left_ + Units(x); }
  int Y(int y) const { return top_ + Units(y); }

  HDC dc_;
  int scale_;
  int left_, top_;
};

// A fist with the index finger reaching down onto a key, seen from the front.
void DrawHandPressingKey(PictureCanvas& canvas) {
  canvas.Box(3, 25, 29, 31, kGrey, 3);  // the key's base
  canvas.Box(5, 22, 27, 27, kFace, 2);  // the key's top
  canvas.Box(12, 9, 18, 23, kSkin, 5);  // index finger
  canvas.Box(10, 3, 27, 14, kSkin, 7);  // fist
  canvas.Box(6, 6, 14, 12, kSkin, 5);   // thumb
  canvas.Line(18, 9, 18, 14);           // folded fingers
  canvas.Line(22, 9, 22, 14);
  canvas.Box(13, 0, 26, 4, kNavy);  // the sleeve's cuff
}

void DrawLeftArrow(PictureCanvas& canvas) {
  constexpr POINT kArrow[] = {{3, 16}, {15, 4}, {15, 11}, {29, 11}, {29, 21}, {15, 21}, {15, 28}};
  canvas.Shape(kArrow, 7);
}

}  // namespace

COLORREF Rgb(const layout::Colour& colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

void DrawKey(const DRAWITEMSTRUCT& item, bool leftArrow, int dpi) {
  const HDC dc = item.hDC;
  RECT area = item.rcItem;
  const bool down = (item.itemState & ODS_SELECTED) != 0;
  const HBRUSH face = CreateSolidBrush(kFace);
  FillRect(dc, &area, face);
  DeleteObject(face);
  DrawEdge(dc, &area, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT inside = area;
  InflateRect(&inside, -2, -2);
  if (down) {
    // Moved down and right by one pixel, as a pressed face is; a letter key has no
    // room for both the hand and the caption, so the hand stands alone.
    OffsetRect(&inside, 1, 1);
    PictureCanvas canvas(dc, inside, dpi);
    DrawHandPressingKey(canvas);
  } else {
    if (leftArrow) {
      PictureCanvas canvas(dc, inside, dpi);
      DrawLeftArrow(canvas);
    }
    wchar_t caption[16] = {};
    const int length = GetWindowTextW(item.hwndItem, caption, 16);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, caption, length, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = area;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace keyboard
