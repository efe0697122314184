#pragma once
// A push button in the graphical style, owner-drawn: light grey face, the picture
// centred above the caption. A button too low for the picture above its caption shows
// it, smaller, to the left of the caption instead, so the picture is never cut (as the
// Qt window's picture button does). The parent reflects WM_DRAWITEM to the button.
#include <windows.h>

#include <string>
#include <string_view>

namespace app {

class PictureButton {
 public:
  // `picture` and the font given later stay the caller's and must outlive the button.
  PictureButton(HWND parent, int id, std::string_view caption, HICON picture);
  ~PictureButton();
  PictureButton(const PictureButton&) = delete;
  PictureButton& operator=(const PictureButton&) = delete;

  HWND Handle() const { return button_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void Draw(const DRAWITEMSTRUCT& item) const;

  HWND button_;
  HICON picture_;
};

}  // namespace app
