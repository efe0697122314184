#pragma once
// The window's fonts. The Traditional Chinese faces the layout names are Windows
// fonts; where they are missing, Qt is told to draw them with the AR PL faces.
#include <QFont>

namespace app {

// Call once after the QApplication exists and before any window is built.
void InstallFontSubstitutes();

QFont WindowFont();         // 標楷體 14.25 pt: the window and every control not listed
QFont ListFont();           // 新細明體 12 pt: fgList
QFont PictureButtonFont();  // 細明體 12 pt: captions of the picture buttons

}  // namespace app
