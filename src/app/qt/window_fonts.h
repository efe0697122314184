#pragma once
// The window's fonts. Install the font substitutes (controls/qt/qt_fonts.h) first, so
// that the Windows faces are drawn where they are missing.
#include <QFont>

namespace app {

QFont WindowFont();         // 標楷體 14.25 pt: the window and every control not listed
QFont ListFont();           // 新細明體 12 pt: fgList
QFont PictureButtonFont();  // 細明體 12 pt: captions of the picture buttons

}  // namespace app
