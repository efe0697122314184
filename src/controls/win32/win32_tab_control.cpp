#include "controls/win32/win32_tab_control.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "controls/win32/child_window.h"
#include "controls/win32/message_reflection.h"
#include "controls/win32/wide_text.h"

namespace controls {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

Win32TabControl::Win32TabControl(HWND parent, int id, const RECT& pixels) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  // Clipping keeps the strip from painting over the page panels inside it.
  tabs_ = CreateChildWindow(0, WC_TABCONTROLW,
                            WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, parent, id,
                            pixels, "The tab control");
  SetWindowSubclass(tabs_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Win32TabControl::~Win32TabControl() {
  if (IsWindow(tabs_)) {
    RemoveWindowSubclass(tabs_, SubclassProc, kSubclassId);
    DestroyWindow(tabs_);
  }
}

void Win32TabControl::SetFont(HFONT font) {
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Win32TabControl::SetStripHeight(int pixels) {
  // The width is only used by fixed-width tabs; the text gives it here.
  TabCtrl_SetItemSize(tabs_, 0, pixels);
}

void Win32TabControl::SetPagePanel(int index, HWND panel) {
  if (index < 0) throw std::out_of_range("Invalid tab index");
  const auto slot = static_cast<std::size_t>(index);
  if (panels_.size() <= slot) panels_.resize(slot + 1, nullptr);
  panels_[slot] = panel;
  ShowCurrentPanel();
}

RECT Win32TabControl::PageArea() const {
  RECT area{};
  GetClientRect(tabs_, &area);
  TabCtrl_AdjustRect(tabs_, FALSE, &area);
  return area;
}

void Win32TabControl::SetCaptions(std::string_view captions) {
  TabCtrl_DeleteAllItems(tabs_);
  int index = 0;
  for (std::size_t start = 0;;) {
    const std::size_t bar = captions.find('|', start);
    std::wstring text = Wide(captions.substr(start, bar - start));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&item));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  if (TabCtrl_GetCurSel(tabs_) < 0) TabCtrl_SetCurSel(tabs_, 0);
  ShowCurrentPanel();
}

void Win32TabControl::SetCurrTab(int index) {
  if (index < 0 || index >= TabCtrl_GetItemCount(tabs_)) {
    throw std::out_of_range("Invalid tab index");
  }
  TabCtrl_SetCurSel(tabs_, index);
  ShowCurrentPanel();  // also when the index did not change, so the page is surely shown
}

int Win32TabControl::CurrTab() const {
  return TabCtrl_GetCurSel(tabs_);
}

void Win32TabControl::ShowCurrentPanel() {
  const int current = CurrTab();
  // Hide first, then show: two panels are never visible at once.
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    if (panels_[i] != nullptr && static_cast<int>(i) != current) ShowWindow(panels_[i], SW_HIDE);
  }
  if (current >= 0 && static_cast<std::size_t>(current) < panels_.size() &&
      panels_[static_cast<std::size_t>(current)] != nullptr) {
    ShowWindow(panels_[static_cast<std::size_t>(current)], SW_SHOW);
  }
}

LRESULT CALLBACK Win32TabControl::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32TabControl*>(data);
  if (message == kReflectedMessage) {
    const auto& reflected = *reinterpret_cast<ReflectedMessage*>(lParam);
    if (reflected.message != WM_NOTIFY) return FALSE;
    const auto& header = *reinterpret_cast<const NMHDR*>(reflected.lParam);
    if (header.code != TCN_SELCHANGE) return FALSE;
    self->ShowCurrentPanel();
    return FALSE;  // the window may want to know of the change as well
  }
  // What the panels inside pass up goes on up; the strip's own parts (its scroll
  // arrows) talk only to the strip.
  const HWND sender = NotificationSender(message, lParam);
  const bool ownPart =
      sender != nullptr && GetParent(sender) == window &&
      std::find(self->panels_.begin(), self->panels_.end(), sender) == self->panels_.end();
  if (sender != nullptr && !ownPart) {
    LRESULT result = 0;
    if (ReflectOrPassUp(window, message, wParam, lParam, &result)) return result;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace controls
