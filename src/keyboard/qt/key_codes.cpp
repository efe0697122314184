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

// The character Windows types for a key held with Ctrl: a letter types its control
// character (Ctrl+H is a backspace, Ctrl+M a carriage return), Enter a line feed,
// Backspace DEL; other keys type nothing the dialog acts on. Qt's text for such a chord
// differs between platforms (often the plain letter), so it is not used.
std::optional<int> ControlCharacter(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return '\n';
  if (key == Qt::Key_Backspace) return 0x7F;
  return std::nullopt;
}

}  // namespace

PressedKey FromQt(const QKeyEvent& event) {
  PressedKey pressed;
  pressed.keyCode = KeyCode(event);
  const Qt::KeyboardModifiers chord = event.modifiers() & (Qt::AltModifier | Qt::ControlModifier);
  // On Windows a key held with Alt goes to the menu as a system character: no character
  // is typed. Ctrl and Alt together are AltGr there, which types what the layout says.
  if (chord == Qt::AltModifier) return pressed;
  if (chord == Qt::ControlModifier) {
    pressed.charCode = ControlCharacter(event);
    return pressed;
  }
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
