#pragma once
// The program's pictures (app/artwork.h) as Qt icons: the window's icon, and the one
// icon that every picture button shows.
#include <QIcon>

namespace app {

QIcon ApplicationIcon();
QIcon PictureButtonIcon();

}  // namespace app
