#pragma once
// Drives the real keyboard dialog on Windows: an entry point is called, and once its
// modal loop runs the test acts as the user on the shown window, with the messages that
// a mouse click and the keyboard send.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "keyboard/win32/anumkey_form.h"
#include "keyboard/win32/win32_numkey_dialog.h"
#include "support/scripted_ui.h"

namespace keyboard_testing {

using keyboard::frmANumKey;

// The control with that ID anywhere in the dialog; nullptr when there is none.
HWND Control(frmANumKey& form, int id);

class Win32DialogTest : public ::testing::Test {
 protected:
  // Calls `entry`; `user` runs while the dialog is shown modally and must end it.
  bool WhileShown(const std::function<bool()>& entry, const std::function<void(frmANumKey&)>& user);

  static HWND LetterKey(frmANumKey& form, char letter);
  static HWND DigitKey(frmANumKey& form, int index);
  static HWND CommandKey(frmANumKey& form, keyboard::layout::KeyKind kind);
  static std::string Text(frmANumKey& form) { return form.DisplayText(); }
  static std::wstring WindowText(HWND window);

  // A mouse click on the key.
  static void Click(HWND key);
  // A key going down and up at the focused control, its character made by the message
  // loop's TranslateMessage; `held` (VK_CONTROL, VK_MENU or VK_SHIFT) is held
  // down meanwhile.
  static void Press(UINT virtualKey, UINT held = 0);
  static void Type(std::string_view lettersAndDigits);

  testing_support::ScriptedUi ui;  // any unexpected message box fails the test
  keyboard::Win32NumKeyDialog dialog;
  std::string text = "caller's";
};

}  // namespace keyboard_testing
