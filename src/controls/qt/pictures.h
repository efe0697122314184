#pragma once
// What the pictures drawn in code and the graphical-style buttons share: the entries
// of the classic 16-colour palette they use, and the empty 32 x 32 picture each
// drawing starts from.
#include <QColor>
#include <QPixmap>

namespace controls {

inline constexpr int kPictureSize = 32;

inline const QColor kBlack(0, 0, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kOlive(128, 128, 0);
inline const QColor kGrey(128, 128, 128);
inline const QColor kSilver(192, 192, 192);  // &H00C0C0C0, the light grey of a face
inline const QColor kYellow(255, 255, 0);
inline const QColor kCyan(0, 255, 255);
inline const QColor kWhite(255, 255, 255);

inline QPixmap EmptyPicture() {
  QPixmap picture(kPictureSize, kPictureSize);
  picture.fill(Qt::transparent);
  return picture;
}

}  // namespace controls
