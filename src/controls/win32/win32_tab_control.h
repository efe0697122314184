#pragma once
// controls::TabControl on SysTabControl32. Each page has one panel, a window the owner
// creates and lays out (a child of the tab control or of the same parent); the tab
// control shows the current page's panel and hides the others, whether the page changes
// by code (SetCurrTab) or by the user (TCN_SELCHANGE, answered here when the parent
// reflects WM_NOTIFY). The tab control also passes its children's notifications up, so
// panels inside it behave as containers anywhere else.
#include <windows.h>

#include <vector>

#include "controls/tab_control.h"

namespace controls {

class Win32TabControl final : public TabControl {
 public:
  Win32TabControl(HWND parent, int id, const RECT& pixels);
  ~Win32TabControl() override;
  Win32TabControl(const Win32TabControl&) = delete;
  Win32TabControl& operator=(const Win32TabControl&) = delete;

  HWND Handle() const { return tabs_; }
  void SetFont(HFONT font);  // caller owns the font
  // Height of the tabs in the strip; the page area starts below them.
  void SetStripHeight(int pixels);
  // The panel shown only while tab `index` is current; nullptr removes it.
  void SetPagePanel(int index, HWND panel);
  // The page area below the strip, in the tab control's client coordinates.
  RECT PageArea() const;

  void SetCaptions(std::string_view captions) override;
  void SetCurrTab(int index) override;
  int CurrTab() const override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void ShowCurrentPanel();

  HWND tabs_;
  std::vector<HWND> panels_;
};

}  // namespace controls
