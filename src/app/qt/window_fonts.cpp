#include "app/qt/window_fonts.h"

#include "app/fm_reg_tool_layout.h"
#include "controls/qt/qt_fonts.h"
#include "controls/qt/qt_text.h"

namespace app {
namespace {

QFont FontFor(FontRole role) {
  const FontSpec wanted = FontOf(role);
  return controls::Font(controls::ToQString(wanted.face), wanted.points);
}

}  // namespace

QFont WindowFont() {
  return FontFor(FontRole::kWindow);
}
QFont ListFont() {
  return FontFor(FontRole::kList);
}
QFont PictureButtonFont() {
  return FontFor(FontRole::kPictureCaption);
}

}  // namespace app
