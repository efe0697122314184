#pragma once
// A one-line text box that also reports a double-click, as the server-name box needs.
#include <QLineEdit>

namespace app {

class TextBox final : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 signals:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
  }
};

}  // namespace app
