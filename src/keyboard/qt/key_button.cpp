#include "keyboard/qt/key_button.h"

#include <qdrawutil.h>

#include <QPainter>

#include "controls/qt/pictures.h"
#include "keyboard/qt/key_pictures.h"

namespace keyboard {
namespace {

QPalette KeyPalette(QPalette palette) {
  palette.setColor(QPalette::Button, kKeyFace);
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Midlight, kKeyFace);
  palette.setColor(QPalette::Dark, controls::kGrey);
  palette.setColor(QPalette::Shadow, Qt::black);
  palette.setColor(QPalette::ButtonText, Qt::black);
  return palette;
}

void DrawCentred(QPainter& painter, const QRect& area, const QPixmap& picture) {
  const QSize size = picture.deviceIndependentSize().toSize();
  painter.drawPixmap(area.left() + (area.width() - size.width()) / 2,
                     area.top() + (area.height() - size.height()) / 2, picture);
}

}  // namespace

KeyButton::KeyButton(const QString& caption, const QFont& font, const QPixmap& pressedPicture,
                     QWidget* parent)
    : QPushButton(caption, parent), pressedPicture_(pressedPicture) {
  setFont(font);
  setPalette(KeyPalette(palette()));
  // Enter belongs to the dialog's own key handling, never to a default button.
  setAutoDefault(false);
}

void KeyButton::SetFacePicture(const QPixmap& picture) {
  facePicture_ = picture;
  update();
}

void KeyButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush face(kKeyFace);
  qDrawWinButton(&painter, rect(), palette(), isDown(), &face);

  // While held down the key shows only the hand, moved down and right by one pixel as
  // a pressed face is on Windows; a letter key has no room for both.
  const QRect inside = rect().adjusted(2, 2, -2, -2);
  if (isDown()) {
    DrawCentred(painter, inside.translated(1, 1), pressedPicture_);
  } else {
    if (!facePicture_.isNull()) DrawCentred(painter, inside, facePicture_);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(inside, Qt::AlignCenter, text());
  }

  if (hasFocus()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
  }
}

}  // namespace keyboard
