#include "app/win32/window_fonts.h"

#include <cmath>
#include <string>

#include "controls/win32/installed_face.h"
#include "controls/win32/wide_text.h"

namespace app {

GdiFont& GdiFont::operator=(GdiFont&& other) noexcept {
  if (this != &other) {
    Reset();
    font_ = other.font_;
    other.font_ = nullptr;
  }
  return *this;
}

void GdiFont::Reset() {
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
}

GdiFont MakeFont(FontRole role, int dpi) {
  const FontSpec wanted = FontOf(role);
  LOGFONTW font{};
  // A negative height asks for the character height: points at the window's DPI.
  font.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = CHINESEBIG5_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = controls::InstalledFace(controls::Wide(wanted.face));
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return GdiFont(CreateFontIndirectW(&font));
}

}  // namespace app
