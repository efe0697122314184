#pragma once
// The keyboard dialog's two pictures, drawn in code, each 32 x 32: the hand pressing a
// key that every key shows, and the black left arrow on the Back key's face.
#include <QPixmap>

namespace keyboard {

QPixmap HandPressingKeyPicture();
QPixmap LeftArrowPicture();

}  // namespace keyboard
