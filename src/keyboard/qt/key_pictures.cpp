#include "keyboard/qt/key_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "controls/qt/pictures.h"

namespace keyboard {

QPixmap HandPressingKeyPicture() {
  QPixmap picture = controls::EmptyPicture();
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPen outline(Qt::black, 1.2);

  // The key being pressed, seen from the front.
  painter.setPen(outline);
  painter.setBrush(controls::kGrey);
  painter.drawRoundedRect(QRectF(3.5, 25.5, 25, 5), 1.5, 1.5);
  painter.setBrush(kKeyFace);
  painter.drawRoundedRect(QRectF(5.5, 22.5, 21, 4), 1, 1);

  // The hand: a fist with the index finger reaching down onto the key.
  const QColor skin(255, 214, 170);
  painter.setBrush(skin);
  painter.drawRoundedRect(QRectF(12.5, 9.5, 5, 13.5), 2.5, 2.5);  // index finger
  QPainterPath fist;
  fist.addRoundedRect(QRectF(10.5, 3.5, 16, 10), 3.5, 3.5);
  painter.drawPath(fist);
  painter.drawRoundedRect(QRectF(6.5, 6.5, 7, 5), 2.5, 2.5);  // thumb
  // Folded fingers.
  painter.drawLine(QPointF(18.5, 9), QPointF(18.5, 13.5));
  painter.drawLine(QPointF(22.5, 9), QPointF(22.5, 13.5));
  // The cuff of the sleeve.
  painter.setBrush(controls::kNavy);
  painter.drawRect(QRectF(13.5, 0.5, 12, 3));
  return picture;
}

QPixmap LeftArrowPicture() {
  QPixmap picture = controls::EmptyPicture();
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  const QPolygonF arrow({{3, 16}, {15, 4}, {15, 11}, {29, 11}, {29, 21}, {15, 21}, {15, 28}});
  painter.drawPolygon(arrow);
  return picture;
}

}  // namespace keyboard
