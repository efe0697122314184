// The entry points on the real dialog: what each shows, the dialog's life between
// calls, where it is placed and how it is laid out.
#include <QFontInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "dialog_harness.h"

namespace keyboard_testing {
namespace {

using DialogEntryTest = DialogTest;

TEST_F(DialogEntryTest, ANumericDefaultShowsItsDigits) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, 12); },
                         [&](frmANumKey& form) {
                           EXPECT_EQ(Text(form), "12");
                           Press(form, Qt::Key_Return);
                         }));
  EXPECT_EQ(text, "12");
}

TEST_F(DialogEntryTest, EnterPWDMasksWithStarsAndTheNextShowInputShowsPlainText) {
  EXPECT_TRUE(WhileShown([&] { return dialog.EnterPWD(text, "pw"); },
                         [&](frmANumKey& form) {
                           Type(form, "9");
                           EXPECT_EQ(Display(form).displayText(), "***");
                           EXPECT_EQ(form.windowTitle(), "密碼輸入視窗");
                           EXPECT_EQ(Message(form), "請輸入密碼..");
                           Click(form, "cmdEnter");
                         }));
  EXPECT_EQ(text, "pw9");
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, "pw"); },
                         [&](frmANumKey& form) {
                           EXPECT_EQ(Display(form).displayText(), "pw");
                           EXPECT_EQ(form.windowTitle(), "英文數字輸入視窗");
                           EXPECT_EQ(Message(form), "");
                           Click(form, "cmdEnter");
                         }));
}

TEST_F(DialogEntryTest, ShowInput2ShowsItsHeaderAsTitleAndMessageAndAtTwentyFourPoints) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput2(text, "主機名稱", "S1"); },
                         [&](frmANumKey& form) {
                           EXPECT_EQ(form.windowTitle(), "主機名稱");
                           EXPECT_EQ(Message(form), "主機名稱");
                           EXPECT_EQ(Display(form).displayText(), "S1");
                           form.SetDisplayFontSize(12);
                           Click(form, "cmdEnter");
                         }));
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput2(text, ""); },
                          [&](frmANumKey& form) {
                            EXPECT_EQ(form.windowTitle(), "英文數字輸入視窗");
                            EXPECT_EQ(Message(form), "");
                            EXPECT_EQ(Display(form).font().pointSizeF(), 24);
                            Click(form, "cmdExit");
                          }));
  EXPECT_EQ(text, "S1");
}

TEST_F(DialogEntryTest, ASecondCallStartsFromItsOwnDefaultNotFromThePreviousText) {
  WhileShown([&] { return dialog.ShowInput(text, "FIRST"); },
             [&](frmANumKey& form) { Type(form, "x"), Click(form, "cmdEnter"); });
  EXPECT_EQ(text, "FIRSTX");
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               EXPECT_EQ(Text(form), "");
               Click(form, "cmdEnter");
             });
  EXPECT_EQ(text, "");
}

// The window stays loaded while hidden between calls; closed through its frame it is
// unloaded, and the next call loads a new one whose keys work again.
TEST_F(DialogEntryTest, TheDialogIsLoadedOnceHiddenBetweenCallsAndLoadedAgainAfterAClose) {
  EXPECT_EQ(dialog.LoadedForm(), nullptr);
  QPointer<frmANumKey> first;
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               first = &form;
               Press(form, Qt::Key_Escape);
             });
  ASSERT_FALSE(first.isNull());
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(Message(*first), "");  // the load message never shows during an entry
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               EXPECT_EQ(&form, first.data());
               form.close();
             });
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(dialog.LoadedForm(), nullptr);
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           Type(form, "r");
                           Press(form, Qt::Key_Return);
                         }));
  EXPECT_EQ(text, "R");
}

TEST_F(DialogEntryTest, TheDialogIsApplicationModalWithoutOwnerAtTheBottomRightOfTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               EXPECT_EQ(form.parentWidget(), nullptr);
               EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
               const QRect frame = form.frameGeometry();
               EXPECT_EQ(frame.right(), screen.right());
               EXPECT_EQ(frame.bottom(), screen.bottom() - 375 / 15);
               Click(form, "cmdExit");
             });
}

// Device-independent pixels are the layout's twips divided by 15.
TEST_F(DialogEntryTest, ControlsSitWhereTheLayoutPutsThem) {
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               const auto at = [&](const char* name) {
                 return form.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
               };
               EXPECT_EQ(form.size(), QSize(702, 401));
               EXPECT_EQ(at("txtDisp"), QRect(296, 16, 397, 45));
               EXPECT_EQ(at("vsElastic1"), QRect(4, 72, 385, 279));
               EXPECT_EQ(at("cmdAlpha(2)"), QRect(70, 7, 59, 49));  // within vsElastic1
               EXPECT_EQ(at("cmdAlpha(9)"), QRect(133, 60, 59, 50));
               EXPECT_EQ(at("cmdAlpha(26)"), QRect(70, 224, 59, 48));
               EXPECT_EQ(at("cmdAlpha(30)"), QRect(320, 224, 59, 48));
               EXPECT_EQ(at("cmdNum(7)"), QRect(398, 72, 67, 67));
               EXPECT_EQ(at("cmdNum(10)"), QRect(476, 282, 67, 67));
               EXPECT_EQ(at("cmdBack"), QRect(630, 72, 67, 67));
               EXPECT_EQ(at("cmdEnter"), QRect(628, 212, 69, 137));
               EXPECT_EQ(at("cmdDel"), QRect(554, 282, 67, 67));
               EXPECT_EQ(at("elaSBar"), QRect(0, 358, 702, 43));
               EXPECT_EQ(at("elaMsg"), QRect(12, 8, 677, 28));
               EXPECT_EQ(Key(form, "cmdBack")->text(), "");
               EXPECT_EQ(Key(form, "cmdEnter")->text(), "確定");
               EXPECT_EQ(Key(form, "cmdAlpha(24)")->text(), "X");
               EXPECT_EQ(Key(form, "cmdAlpha(27)"), nullptr);
               const QFontInfo display(Display(form).font());
               EXPECT_TRUE(display.bold());
               EXPECT_EQ(Display(form).palette().color(QPalette::Base), QColor(255, 255, 128));
               EXPECT_EQ(form.palette().color(QPalette::Window), QColor(192, 192, 192));
               Click(form, "cmdExit");
             });
}

}  // namespace
}  // namespace keyboard_testing
