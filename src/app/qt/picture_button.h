#pragma once
// A push button in the graphical style: light grey face, the picture centred above the
// caption. A button too low for the picture above its caption shows it, smaller, to
// the left of the caption instead, so the picture is never cut.
#include <QIcon>
#include <QPushButton>

namespace app {

class PictureButton final : public QPushButton {
 public:
  PictureButton(const QString& caption, const QIcon& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QIcon picture_;
};

}  // namespace app
