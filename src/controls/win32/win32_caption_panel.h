#pragma once
// controls::CaptionPanel as a container window: it holds other controls (created with
// Handle() as their parent), passes their notifications on to its parent window after
// reflecting them to the sender (message_reflection.h), and draws its caption, if any.
// By default it is flat and centres its caption, wrapped to its width; a status bar's
// panel is bevelled and keeps its caption on one line at the left.
#include <windows.h>

#include <string>

#include "controls/tab_control.h"

namespace controls {

class Win32CaptionPanel final : public CaptionPanel {
 public:
  enum class Bevel { kNone, kRaised, kSunken };

  Win32CaptionPanel(HWND parent, int id, const RECT& pixels);
  ~Win32CaptionPanel() override;
  Win32CaptionPanel(const Win32CaptionPanel&) = delete;
  Win32CaptionPanel& operator=(const Win32CaptionPanel&) = delete;

  HWND Handle() const { return panel_; }
  void SetFont(HFONT font);  // caller owns the font
  void SetBevel(Bevel bevel);
  void SetCaption(std::string_view text) override;
  // The caption as shown, for tests.
  const std::wstring& Caption() const { return caption_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  void Paint();

  HWND panel_;
  HFONT font_ = nullptr;
  Bevel bevel_ = Bevel::kNone;
  std::wstring caption_;
};

}  // namespace controls
