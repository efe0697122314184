#pragma once
// The window's three fonts as GDI fonts at the window's DPI, each in the installed face
// that stands for the one the layout names (controls::InstalledFace).
#include <windows.h>

#include "app/fm_reg_tool_layout.h"

namespace app {

// Owns one HFONT.
class GdiFont {
 public:
  GdiFont() = default;
  explicit GdiFont(HFONT font) : font_(font) {}
  ~GdiFont() { Reset(); }
  GdiFont(GdiFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
  GdiFont& operator=(GdiFont&& other) noexcept;
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;

  HFONT Get() const { return font_; }

 private:
  void Reset();
  HFONT font_ = nullptr;
};

// The font of `role` for a window at `dpi` dots per inch, in the Big5 character set.
GdiFont MakeFont(FontRole role, int dpi);

}  // namespace app
