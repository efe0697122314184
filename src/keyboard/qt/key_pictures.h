#pragma once
// The keyboard dialog's two pictures, drawn in code, each 32 x 32: the hand pressing a
// key that every key shows, and the black left arrow on the Back key's face.
#include <QColor>
#include <QPixmap>

#include "keyboard/anumkey_layout.h"

namespace keyboard {

// The light grey of a key's face; the hand picture's key has it too.
inline const QColor kKeyFace(layout::kKeyFace.red, layout::kKeyFace.green, layout::kKeyFace.blue);

QPixmap HandPressingKeyPicture();
QPixmap LeftArrowPicture();

}  // namespace keyboard
