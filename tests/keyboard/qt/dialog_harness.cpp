#include "dialog_harness.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace keyboard_testing {
namespace {

QWidget& FocusedControl(frmANumKey& form) {
  return form.focusWidget() != nullptr ? *form.focusWidget() : form;
}

}  // namespace

bool DialogTest::WhileShown(const std::function<bool()>& entry,
                            const std::function<void(frmANumKey&)>& user) {
  QTimer user_turn;
  user_turn.setSingleShot(true);
  QObject::connect(&user_turn, &QTimer::timeout, [&] {
    QPointer<frmANumKey> form = dialog.LoadedForm();
    if (form.isNull() || !form->isVisible()) {
      ADD_FAILURE() << "the dialog is not shown";
      return;
    }
    user(*form);
    if (!form.isNull() && form->isVisible()) {
      ADD_FAILURE() << "the dialog is still shown";
      form->hide();
    }
  });
  user_turn.start(0);
  const bool result = entry();
  user_turn.stop();  // an entry point that failed before showing leaves it pending
  return result;
}

QAbstractButton* DialogTest::Key(frmANumKey& form, const QString& name) {
  return form.findChild<QAbstractButton*>(name);
}

QLineEdit& DialogTest::Display(frmANumKey& form) {
  return *form.findChild<QLineEdit*>(QStringLiteral("txtDisp"));
}

QString DialogTest::Message(frmANumKey& form) {
  return form.findChild<QLabel*>(QStringLiteral("elaMsg"))->text();
}

void DialogTest::Click(frmANumKey& form, const QString& name) {
  QAbstractButton* key = Key(form, name);
  if (key == nullptr) {
    ADD_FAILURE() << "no key " << name.toStdString();
    return;
  }
  QTest::mouseClick(key, Qt::LeftButton);
}

void DialogTest::Press(frmANumKey& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(&FocusedControl(form), key, modifiers);
}

void DialogTest::Type(frmANumKey& form, const QString& characters) {
  for (const QChar character : characters) {
    if (character.unicode() < 128) {
      QTest::keyClick(&FocusedControl(form), character.toLatin1());
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(&FocusedControl(form), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(&FocusedControl(form), &release);
  }
}

}  // namespace keyboard_testing
