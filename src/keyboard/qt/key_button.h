#pragma once
// One key of the keyboard dialog: a push button in the graphical style with a light
// grey face and a Windows-like bevel. While held down it shows, in place of its
// caption, the picture of a hand pressing a key that all keys share; a key may also
// carry a picture on its face (the Back key's arrow) instead of a caption.
#include <QPixmap>
#include <QPushButton>

namespace keyboard {

class KeyButton final : public QPushButton {
 public:
  KeyButton(const QString& caption, const QFont& font, const QPixmap& pressedPicture,
            QWidget* parent);
  void SetFacePicture(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap pressedPicture_;
  QPixmap facePicture_;
};

}  // namespace keyboard
