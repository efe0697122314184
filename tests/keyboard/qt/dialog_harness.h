#pragma once
// Drives the real keyboard dialog: an entry point is called, and once its modal show
// is running the test acts as the user on the shown window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <string>

#include "keyboard/qt/anumkey_form.h"
#include "keyboard/qt/numkey_dialog.h"
#include "support/scripted_ui.h"

namespace keyboard_testing {

using keyboard::frmANumKey;

class DialogTest : public ::testing::Test {
 protected:
  // Calls `entry`; `user` runs while the dialog is shown modally and must end it.
  bool WhileShown(const std::function<bool()>& entry, const std::function<void(frmANumKey&)>& user);

  static QAbstractButton* Key(frmANumKey& form, const QString& name);  // nullptr: none
  static QLineEdit& Display(frmANumKey& form);
  static QString Message(frmANumKey& form);
  static QString Text(frmANumKey& form) { return Display(form).text(); }

  // Mouse click on the named key.
  static void Click(frmANumKey& form, const QString& name);
  // A key pressed and released on the physical keyboard; it goes to the focused control.
  static void Press(frmANumKey& form, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
  // One key event per character, as typed; non-ASCII characters come as the text of a
  // key the layout does not name.
  static void Type(frmANumKey& form, const QString& characters);

  testing_support::ScriptedUi ui;  // any unexpected message box fails the test
  keyboard::NumKeyDialog dialog;
  std::string text = "caller's";
};

}  // namespace keyboard_testing
