#include "app/qt/picture_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "app/qt/window_fonts.h"
#include "controls/qt/pictures.h"

namespace app {
namespace {
using controls::kPictureSize;
constexpr int kMargin = 3;
constexpr int kSmallestPicture = 12;
}  // namespace

PictureButton::PictureButton(const QString& caption, const QIcon& picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(picture) {
  QPalette face = palette();
  face.setColor(QPalette::Button, controls::kSilver);
  setPalette(face);
  setFont(PictureButtonFont());
}

void PictureButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButton, option);  // face, frame and focus

  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QRect inside = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
  const int textHeight = fontMetrics().height();
  const int roomAbove = inside.height() - textHeight;
  QRect textArea;
  if (roomAbove >= kSmallestPicture) {
    const int size = std::min(kPictureSize, roomAbove);
    const int top = inside.top() + (inside.height() - size - textHeight) / 2;
    painter.drawPixmap(inside.left() + (inside.width() - size) / 2, top,
                       picture_.pixmap(size, mode));
    textArea = QRect(inside.left(), top + size, inside.width(), textHeight);
  } else {
    const int size = std::max(0, std::min(kPictureSize, inside.height()));
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int left = inside.left() + (inside.width() - size - kMargin - textWidth) / 2;
    painter.drawPixmap(left, inside.top() + (inside.height() - size) / 2,
                       picture_.pixmap(size, mode));
    textArea = QRect(left + size + kMargin, inside.top(), textWidth, inside.height());
  }
  style()->drawItemText(&painter, textArea, Qt::AlignCenter, palette(), isEnabled(), text(),
                        QPalette::ButtonText);
}

}  // namespace app
