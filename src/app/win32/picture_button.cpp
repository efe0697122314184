#include "app/win32/picture_button.h"

#include <commctrl.h>

#include <algorithm>

#include "app/artwork.h"
#include "controls/win32/button_press.h"
#include "controls/win32/message_reflection.h"
#include "controls/win32/wide_text.h"

namespace app {
namespace {

constexpr int kMargin = 3;
constexpr int kSmallestPicture = 12;
constexpr COLORREF kFace = RGB(192, 192, 192);  // &H00C0C0C0
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

PictureButton::PictureButton(HWND parent, int id, std::string_view caption, HICON picture)
    : button_(CreateWindowExW(0, L"BUTTON", controls::Wide(caption).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr)),
      picture_(picture) {
  SetWindowSubclass(button_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

PictureButton::~PictureButton() {
  if (IsWindow(button_)) {
    RemoveWindowSubclass(button_, SubclassProc, kSubclassId);
    DestroyWindow(button_);
  }
}

LRESULT CALLBACK PictureButton::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == controls::kReflectedMessage) {
    auto* reflected = reinterpret_cast<controls::ReflectedMessage*>(lParam);
    if (reflected->message == WM_DRAWITEM) {
      reinterpret_cast<const PictureButton*>(self)->Draw(
          *reinterpret_cast<const DRAWITEMSTRUCT*>(reflected->lParam));
      reflected->result = TRUE;
      return TRUE;
    }
  }
  return DefSubclassProc(window, controls::SecondClickAsPress(message), wParam, lParam);
}

void PictureButton::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  HBRUSH brush = CreateSolidBrush(kFace);
  FillRect(dc, &face, brush);
  DeleteObject(brush);
  DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT inside = face;
  InflateRect(&inside, -kMargin, -kMargin);
  if (pressed) OffsetRect(&inside, 1, 1);
  const int length = GetWindowTextLengthW(button_);
  std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(button_, caption.data(), length + 1);
  caption.resize(static_cast<std::size_t>(length));

  HFONT font = reinterpret_cast<HFONT>(SendMessageW(button_, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), length, &extent);
  const int textHeight = metrics.tmHeight;
  const int width = inside.right - inside.left;
  const int height = inside.bottom - inside.top;
  const int roomAbove = height - textHeight;
  RECT textArea;
  if (roomAbove >= kSmallestPicture) {
    const int size = std::min(kPictureSize, roomAbove);
    const int top = inside.top + (height - size - textHeight) / 2;
    DrawIconEx(dc, inside.left + (width - size) / 2, top, picture_, size, size, 0, nullptr,
               DI_NORMAL);
    textArea = {inside.left, top + size, inside.right, top + size + textHeight};
  } else {
    const int size = std::max(0, std::min(kPictureSize, height));
    const int left = inside.left + (width - size - kMargin - extent.cx) / 2;
    DrawIconEx(dc, left, inside.top + (height - size) / 2, picture_, size, size, 0, nullptr,
               DI_NORMAL);
    textArea = {left + size + kMargin, inside.top, left + size + kMargin + extent.cx,
                inside.bottom};
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, caption.c_str(), length, &textArea,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont != nullptr) SelectObject(dc, oldFont);

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = face;
    InflateRect(&focus, -kMargin, -kMargin);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace app
