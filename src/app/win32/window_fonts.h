#pragma once
// The window's three fonts as GDI fonts at the window's DPI. Each is asked for by the
// face the layout names; where that face is not installed (an English Windows, Wine),
// the nearest Traditional Chinese face present is taken instead, so the Chinese
// captions never fall back to a face without their characters.
#include <windows.h>

#include <string>

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

// The first installed face of: the layout's face, its other names and its look-alikes,
// then the system's message font. Never empty.
std::wstring InstalledFace(const FontSpec& spec);

// The font of `role` for a window at `dpi` dots per inch, in the Big5 character set.
GdiFont MakeFont(FontRole role, int dpi);

}  // namespace app
