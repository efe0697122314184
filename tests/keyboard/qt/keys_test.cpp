// Every key of the real dialog, on screen and on the physical keyboard.
#include <QAbstractButton>
#include <QString>

#include "dialog_harness.h"

namespace keyboard_testing {
namespace {

using DialogKeysTest = DialogTest;

TEST_F(DialogKeysTest, OnScreenKeysAppendTheirTextAndLeaveTheFocusOnTheAcceptKey) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           Click(form, "cmdAlpha(1)");
                           Click(form, "cmdAlpha(30)");
                           Click(form, "cmdNum(7)");
                           Click(form, "cmdNum(10)");
                           EXPECT_EQ(Text(form), "A-700");
                           EXPECT_EQ(form.focusWidget(), Key(form, "cmdEnter"));
                           Click(form, "cmdEnter");
                         }));
  EXPECT_EQ(text, "A-700");
}

TEST_F(DialogKeysTest, TypedLettersBecomeCapitalsAndOtherPunctuationAddsNothing) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           Type(form, "ab?1");
                           EXPECT_EQ(Text(form), "AB?1");
                           Type(form, "-./@[é台");
                           Press(form, Qt::Key_Minus, Qt::KeypadModifier);
                           EXPECT_EQ(Text(form), "AB?1");
                           Press(form, Qt::Key_Return);
                         }));
  EXPECT_EQ(text, "AB?1");
}

// As on Windows: a chord with Alt types nothing, one with Ctrl its control character,
// which adds nothing either (Ctrl+H is a backspace there).
TEST_F(DialogKeysTest, AltAndCtrlChordsAddNothingToTheDisplay) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           Type(form, "ab");
                           Press(form, Qt::Key_C, Qt::AltModifier);
                           Press(form, Qt::Key_D, Qt::ControlModifier);
                           Press(form, Qt::Key_5, Qt::AltModifier);
                           Press(form, Qt::Key_6, Qt::ControlModifier);
                           EXPECT_EQ(Text(form), "AB");
                           Press(form, Qt::Key_H, Qt::ControlModifier);
                           Press(form, Qt::Key_Return);
                         }));
  EXPECT_EQ(text, "A");
}

// A key press is seen once by the handlers even when the focused key passes it on to
// the panel and the dialog around it.
TEST_F(DialogKeysTest, AKeyTypedWhileALetterKeyHasTheFocusCountsOnce) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           Key(form, "cmdAlpha(7)")->setFocus();
                           Type(form, "q");
                           Press(form, Qt::Key_Enter, Qt::KeypadModifier);
                         }));
  EXPECT_EQ(text, "Q");
}

TEST_F(DialogKeysTest, BackAndBackspaceRemoveOneWholeCharacterAndNothingWhenEmpty) {
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "伺服AB"); },
                          [&](frmANumKey& form) {
                            Click(form, "cmdBack");
                            EXPECT_EQ(Text(form), "伺服A");
                            Press(form, Qt::Key_Backspace);
                            EXPECT_EQ(Text(form), "伺服");
                            Click(form, "cmdBack");
                            EXPECT_EQ(Text(form), "伺");
                            Press(form, Qt::Key_Backspace);
                            Click(form, "cmdBack");
                            Press(form, Qt::Key_Backspace);
                            EXPECT_EQ(Text(form), "");
                            Press(form, Qt::Key_Escape);
                          }));
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(text, "caller's");
}

TEST_F(DialogKeysTest, DeleteTheKeypadPointAndTheClearKeyEmptyTheDisplay) {
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "ABC"); },
                          [&](frmANumKey& form) {
                            Press(form, Qt::Key_Delete);
                            EXPECT_EQ(Text(form), "");
                            Type(form, "xy");
                            Press(form, Qt::Key_Period, Qt::KeypadModifier);
                            EXPECT_EQ(Text(form), "");
                            Type(form, "z");
                            Press(form, Qt::Key_Period);  // the main keyboard's full stop
                            EXPECT_EQ(Text(form), "Z");
                            Click(form, "cmdDel");
                            EXPECT_EQ(Text(form), "");
                            Click(form, "cmdExit");
                          }));
  EXPECT_EQ(text, "caller's");
}

TEST_F(DialogKeysTest, EscapeTheLeaveKeyAndClosingTheWindowCancelWhateverTheDisplayHolds) {
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "DEF"); },
                          [&](frmANumKey& form) { Type(form, "1"), Press(form, Qt::Key_Escape); }));
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text); },
                          [&](frmANumKey& form) { Type(form, "2"), Click(form, "cmdExit"); }));
  EXPECT_FALSE(WhileShown([&] { return dialog.EnterPWD(text); },
                          [&](frmANumKey& form) { Type(form, "3"), form.close(); }));
  EXPECT_EQ(text, "caller's");
}

TEST_F(DialogKeysTest, EnterAndTheAcceptKeyHandBackTheTextEvenWhenEmpty) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, "X"); },
                         [&](frmANumKey& form) { Press(form, Qt::Key_Return); }));
  EXPECT_EQ(text, "X");
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) { Click(form, "cmdEnter"); }));
  EXPECT_EQ(text, "");
  text = "caller's";
  EXPECT_TRUE(
      WhileShown([&] { return dialog.ShowInput2(text, "H"); },
                 [&](frmANumKey& form) { Press(form, Qt::Key_Enter, Qt::KeypadModifier); }));
  EXPECT_EQ(text, "");
}

// Space is not a character the dialog takes; like any button, the focused accept key
// is pressed by it.
TEST_F(DialogKeysTest, SpaceAddsNothingAndPressesTheFocusedAcceptKey) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, "AB"); },
                         [&](frmANumKey& form) { Type(form, " "); }));
  EXPECT_EQ(text, "AB");
}

TEST_F(DialogKeysTest, SeveralHundredCharactersGrowAndShrinkOneAtATime) {
  const std::string start(400, '9');
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, start); },
                         [&](frmANumKey& form) {
                           Click(form, "cmdAlpha(26)");
                           EXPECT_EQ(Text(form).size(), 401);
                           EXPECT_TRUE(Text(form).endsWith("9Z"));
                           Click(form, "cmdBack");
                           Press(form, Qt::Key_Backspace);
                           Type(form, "k");
                           EXPECT_EQ(Text(form).size(), 400);
                           Press(form, Qt::Key_Return);
                         }));
  EXPECT_EQ(text, std::string(399, '9') + "K");
}

}  // namespace
}  // namespace keyboard_testing
