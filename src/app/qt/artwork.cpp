#include "app/qt/artwork.h"

#include <QPainter>
#include <QPixmap>

#include "controls/qt/pictures.h"

namespace app {
namespace {

using controls::EmptyPicture;
using controls::kBlack;
using controls::kCyan;
using controls::kGrey;
using controls::kNavy;
using controls::kOlive;
using controls::kSilver;
using controls::kWhite;
using controls::kYellow;

// A monitor showing a list of settings: what the tool looks after.
QPixmap Monitor() {
  QPixmap pixmap = EmptyPicture();
  QPainter p(&pixmap);
  p.setPen(kBlack);
  p.setBrush(kSilver);
  p.drawRect(2, 3, 27, 20);  // case
  p.setBrush(kNavy);
  p.drawRect(5, 6, 21, 14);  // screen
  p.fillRect(7, 8, 6, 2, kYellow);
  p.fillRect(14, 8, 10, 2, kWhite);
  p.fillRect(7, 12, 6, 2, kYellow);
  p.fillRect(14, 12, 8, 2, kWhite);
  p.fillRect(7, 16, 6, 2, kYellow);
  p.fillRect(14, 16, 10, 2, kCyan);
  p.setBrush(kGrey);
  p.drawRect(12, 24, 7, 2);  // neck
  p.drawRect(6, 27, 19, 2);  // foot
  return pixmap;
}

// A database drum with a link: the connection the picture buttons set up.
QPixmap DatabaseDrum() {
  QPixmap pixmap = EmptyPicture();
  QPainter p(&pixmap);
  p.setPen(kBlack);
  p.setBrush(kYellow);
  p.drawEllipse(5, 20, 20, 9);        // bottom
  p.fillRect(6, 6, 19, 19, kYellow);  // body, over the bottom's upper arc
  p.fillRect(20, 8, 4, 18, kOlive);   // shade on the right
  p.drawLine(5, 6, 5, 24);
  p.drawLine(25, 6, 25, 24);
  p.setBrush(kWhite);
  p.drawEllipse(5, 2, 20, 9);  // top
  p.setBrush(kNavy);
  p.drawRect(26, 15, 4, 3);  // the link
  p.drawLine(28, 18, 28, 30);
  return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
  return QIcon(Monitor());
}

QIcon PictureButtonIcon() {
  return QIcon(DatabaseDrum());
}

}  // namespace app
