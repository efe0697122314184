// How Qt's key events become the codes of the dialog's key handlers.
#include "keyboard/qt/key_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace {

using keyboard::FromQt;

keyboard::PressedKey Pressed(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  return FromQt(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

TEST(KeyCodes, TheKeysTheDialogActsOnGetTheirKeyCodesWhateverIsHeld) {
  EXPECT_EQ(Pressed(Qt::Key_Escape, Qt::NoModifier, "\x1b").keyCode, 27);
  EXPECT_EQ(Pressed(Qt::Key_Delete, Qt::ShiftModifier, "").keyCode, 46);
  EXPECT_EQ(Pressed(Qt::Key_Delete, Qt::KeypadModifier, "").keyCode, 46);
  EXPECT_EQ(Pressed(Qt::Key_Period, Qt::KeypadModifier, ".").keyCode, 110);
  EXPECT_EQ(Pressed(Qt::Key_Comma, Qt::KeypadModifier, ",").keyCode, 110);
  EXPECT_EQ(Pressed(Qt::Key_Return, Qt::ControlModifier, "\r").keyCode, 13);
  EXPECT_EQ(Pressed(Qt::Key_Enter, Qt::KeypadModifier, "\r").keyCode, 13);
}

TEST(KeyCodes, TheMainKeyboardsFullStopAndCommaAreNotTheKeypadPoint) {
  EXPECT_EQ(Pressed(Qt::Key_Period, Qt::NoModifier, ".").keyCode, 0);
  EXPECT_EQ(Pressed(Qt::Key_Comma, Qt::NoModifier, ",").keyCode, 0);
  EXPECT_EQ(Pressed(Qt::Key_Period, Qt::NoModifier, ".").charCode, '.');
}

TEST(KeyCodes, EnterAndBackspaceTypeTheirControlCharactersEvenWithoutText) {
  EXPECT_EQ(Pressed(Qt::Key_Enter, Qt::KeypadModifier, "").charCode, 13);
  EXPECT_EQ(Pressed(Qt::Key_Return, Qt::NoModifier, "").charCode, 13);
  EXPECT_EQ(Pressed(Qt::Key_Backspace, Qt::NoModifier, "").charCode, 8);
}

TEST(KeyCodes, OtherKeysTypeTheirTextsFirstCharacterOrNothing) {
  EXPECT_EQ(Pressed(Qt::Key_A, Qt::NoModifier, "a").charCode, 'a');
  EXPECT_EQ(Pressed(Qt::Key_A, Qt::ShiftModifier, "A").charCode, 'A');
  EXPECT_EQ(Pressed(Qt::Key_unknown, Qt::NoModifier, "台").charCode, 0x53F0);
  EXPECT_EQ(Pressed(Qt::Key_unknown, Qt::NoModifier, "😀").charCode, 0x1F600);
  EXPECT_FALSE(Pressed(Qt::Key_Shift, Qt::ShiftModifier, "").charCode.has_value());
  EXPECT_EQ(Pressed(Qt::Key_F1, Qt::NoModifier, "").keyCode, 0);
}

}  // namespace
