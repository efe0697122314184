#include "controls/win32/win32_caption_panel.h"

#include "controls/win32/child_window.h"
#include "controls/win32/message_reflection.h"
#include "controls/win32/wide_text.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"RegToolCaptionPanel";
// Room between a bevelled panel's edge and its caption.
constexpr int kBevelIndent = 4;

}  // namespace

Win32CaptionPanel::Win32CaptionPanel(HWND parent, int id, const RECT& pixels) {
  RegisterWindowClass(kClassName, WindowProc, GetSysColorBrush(COLOR_BTNFACE), "The caption panel");
  panel_ = CreateChildWindow(WS_EX_CONTROLPARENT, kClassName,
                             WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, parent, id, pixels,
                             "The caption panel", this);
}

Win32CaptionPanel::~Win32CaptionPanel() {
  if (IsWindow(panel_)) {
    SetWindowLongPtrW(panel_, GWLP_USERDATA, 0);
    DestroyWindow(panel_);
  }
}

void Win32CaptionPanel::SetFont(HFONT font) {
  SendMessageW(panel_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Win32CaptionPanel::SetBevel(Bevel bevel) {
  bevel_ = bevel;
  InvalidateRect(panel_, nullptr, TRUE);
}

void Win32CaptionPanel::SetCaption(std::string_view text) {
  caption_ = Wide(text);
  // Also the window text, so the caption can be read as any window's.
  SetWindowTextW(panel_, caption_.c_str());
  InvalidateRect(panel_, nullptr, TRUE);
}

void Win32CaptionPanel::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(panel_, &paint);
  RECT area;
  GetClientRect(panel_, &area);
  if (bevel_ != Bevel::kNone) {
    DrawEdge(dc, &area, bevel_ == Bevel::kRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&area, -kBevelIndent, -1);
  }
  if (!caption_.empty()) {
    const HGDIOBJ oldFont = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int length = static_cast<int>(caption_.size());
    if (bevel_ != Bevel::kNone) {
      // A status bar: one line at the left.
      DrawTextW(dc, caption_.c_str(), length, &area,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
      // Centred both ways, wrapped to the width: DrawText centres only single lines
      // vertically, so the wrapped block is measured and placed first.
      RECT block = area;
      DrawTextW(dc, caption_.c_str(), length, &block,
                DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
      const int top = area.top + ((area.bottom - area.top) - (block.bottom - block.top)) / 2;
      RECT placed{area.left, top, area.right, top + (block.bottom - block.top)};
      DrawTextW(dc, caption_.c_str(), length, &placed, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }
    if (oldFont != nullptr) SelectObject(dc, oldFont);
  }
  EndPaint(panel_, &paint);
}

LRESULT CALLBACK Win32CaptionPanel::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32CaptionPanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (ReflectOrPassUp(window, message, wParam, lParam, &result)) return result;
  if (self != nullptr) {
    switch (message) {
      case WM_PAINT:
        self->Paint();
        return 0;
      case WM_SETFONT:
        self->font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) InvalidateRect(window, nullptr, TRUE);
        return 0;
      case WM_GETFONT:
        return reinterpret_cast<LRESULT>(self->font_);
      case WM_SIZE:
        InvalidateRect(window, nullptr, TRUE);  // the caption is centred on the new size
        break;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace controls
