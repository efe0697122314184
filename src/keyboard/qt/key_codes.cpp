#include "keyboard/qt/key_codes.h"

#include <QKeyEvent>

#include "keyboard/key_handling.h"

namespace keyboard {
namespace {

int KeyCode(const QKeyEvent& event) {
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  switch (event.key()) {
    case Qt::Key_Escape:
      return key::kEscape;
    case Qt::Key_Delete:  // also the keypad's decimal point with Num Lock off
      return key::kDelete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return key::kReturn;
    case Qt::Key_Period:
    case Qt::Key_Comma:  // the keypad's decimal point where the decimal sign is a comma
      return keypad ? key::kKeypadDecimal : 0;
    default:
      return 0;
  }
}

}  // namespace

PressedKey FromQt(const QKeyEvent& event) {
  PressedKey pressed;
  pressed.keyCode = KeyCode(event);
  // Enter and Backspace type their control characters whatever text the platform
  // attaches to them.
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
    pressed.charCode = key::kReturn;
  } else if (event.key() == Qt::Key_Backspace) {
    pressed.charCode = key::kBackspace;
  } else if (const QList<uint> typed = event.text().toUcs4(); !typed.isEmpty()) {
    pressed.charCode = static_cast<int>(typed.front());
  }
  return pressed;
}

}  // namespace keyboard
