#include "app/window_fonts.h"

#include "controls/qt/qt_fonts.h"

namespace app {

QFont WindowFont() {
  return controls::Font(controls::kKaiFace, 14.25);
}
QFont ListFont() {
  return controls::Font(controls::kNewMingFace, 12);
}
QFont PictureButtonFont() {
  return controls::Font(controls::kMingFace, 12);
}

}  // namespace app
