#include "app/qt/artwork.h"

#include <QImage>
#include <QPixmap>

#include "app/artwork.h"

namespace app {
namespace {

QPixmap FromRows(const PictureRows& rows) {
  QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < kPictureSize; ++y) {
    for (int x = 0; x < kPictureSize; ++x) {
      if (const auto colour = PictureColour(rows[y][x])) {
        image.setPixelColor(x, y, QColor(colour->red, colour->green, colour->blue));
      }
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

QIcon ApplicationIcon() {
  return QIcon(FromRows(ApplicationPicture()));
}

QIcon PictureButtonIcon() {
  return QIcon(FromRows(PictureButtonPicture()));
}

}  // namespace app
