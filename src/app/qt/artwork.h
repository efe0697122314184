#pragma once
// The program's pictures, drawn in code in the 16 colours of the classic palette: the
// window's icon, and the one icon that every picture button shows.
#include <QIcon>

namespace app {

QIcon ApplicationIcon();
QIcon PictureButtonIcon();

}  // namespace app
