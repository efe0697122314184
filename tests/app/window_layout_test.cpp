// The window as laid out: geometry in twips, focus order, fonts and picture buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include "app/qt/fm_reg_tool.h"
#include "app/qt/picture_button.h"
#include "app/qt/text_box.h"
#include "app/qt/window_fonts.h"
#include "controls/qt/qt_caption_panel.h"
#include "controls/qt/qt_fonts.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "modal.h"
#include "support/scripted_ui.h"

namespace {

// Twips to pixels, as the layout is given: 15 twips a pixel.
QRect Twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

class Window : public testing::Test {
 protected:
  Window() {
    controls::InstallFontSubstitutes();
    window = std::make_unique<fmRegTool>([] { return std::string("WS-07"); });
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  const app::fmRegToolControls& c() const { return window->Controls(); }

  testing_support::ScriptedUi ui;
  std::unique_ptr<fmRegTool> window;
};

TEST_F(Window, ClientAreaAndPagesHaveTheDesignedSize) {
  EXPECT_EQ(window->size(), Twips(0, 0, 11730, 7815).size());
  EXPECT_EQ(c().tabPage->geometry(), Twips(0, 0, 11730, 7815));
  EXPECT_EQ(c().vsElastic2->geometry(), Twips(45, 420, 11640, 7350));
  EXPECT_EQ(c().vsElastic3->geometry(), Twips(45, 420, 11640, 7350));
}

TEST_F(Window, ControlsSitWhereTheLayoutPutsThemOnTheirPages) {
  EXPECT_EQ(c().fgList->parentWidget(), c().vsElastic2);
  EXPECT_EQ(c().fgList->geometry(), Twips(120, 120, 11400, 5925));
  EXPECT_EQ(c().chkDefault->geometry(), Twips(120, 6000, 4695, 495));
  EXPECT_EQ(c().cmdGetCurrentReg->geometry(), Twips(7260, 6510, 2760, 600));
  EXPECT_EQ(c().cmdExit[0]->geometry(), Twips(10125, 6510, 1365, 600));
  EXPECT_EQ(c().txtComputerName->parentWidget(), c().vsElastic3);
  EXPECT_EQ(c().txtComputerName->geometry(), Twips(2670, 615, 3195, 435));
  EXPECT_EQ(c().cmdInputName->geometry(), Twips(5985, 615, 990, 390));
  EXPECT_EQ(c().cmdUpdIDMENU->geometry(), Twips(7320, 3105, 2700, 630));
  EXPECT_EQ(c().cmdExit[1]->geometry(), Twips(8520, 6120, 2445, 600));
  EXPECT_EQ(c().fgList->mapTo(window.get(), QPoint(0, 0)), QPoint(3 + 8, 28 + 8));
}

TEST_F(Window, TheResultGridLiesWithinTheFrameWithoutBeingItsChild) {
  EXPECT_EQ(c().fgUpdLog->parentWidget(), c().vsElastic3);
  EXPECT_TRUE(c().Frame2->geometry().contains(c().fgUpdLog->geometry()));
  // Drawn above the frame, so the frame does not cover the grid.
  const QPoint middle = c().fgUpdLog->geometry().center();
  QWidget* hit = c().vsElastic3->childAt(middle);
  while (hit != nullptr && hit->parentWidget() != c().vsElastic3) hit = hit->parentWidget();
  EXPECT_EQ(hit, c().fgUpdLog);
}

TEST_F(Window, FocusFollowsTheDesignedOrderAcrossBothPages) {
  const QStringList expected = {"tab strip", "cmdGetCurrentReg", "cmdLoadReg", "cmdReadRegFile",
                                "cmdExit_0", "cmdSave",          "fgList",     "cmdUpdIDMENU",
                                "cmdUpdINI", "cmdInputName",     "fgUpdLog",   "txtComputerName",
                                "cmdExit_1", "chkDefault"};
  QStringList order;
  QWidget* widget = c().tabPage->strip();
  do {
    if (widget == c().tabPage->strip()) {
      order << "tab strip";
    } else if (expected.contains(widget->objectName())) {
      order << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  } while (widget != c().tabPage->strip() && order.size() <= expected.size());
  EXPECT_EQ(order, expected);
}

TEST_F(Window, EveryCommandIsWiredAndTabReachesIt) {
  c().cmdExit[0]->setFocus();
  QTest::keyClick(c().cmdExit[0], Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), c().cmdSave);
  for (QPushButton* command :
       {c().cmdLoadReg, c().cmdReadRegFile, c().cmdSave, c().cmdGetCurrentReg,
        static_cast<QPushButton*>(c().cmdInputName), static_cast<QPushButton*>(c().cmdUpdINI),
        static_cast<QPushButton*>(c().cmdUpdIDMENU), c().cmdExit[0], c().cmdExit[1]}) {
    EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();
  }
}

// As in a Windows window: Enter (either key) clicks the focused button, a picture button
// too; the command behind each is the wiring test's, so only the click is counted here.
TEST_F(Window, EnterOnAFocusedButtonClicksIt) {
  for (QPushButton* button : {c().cmdSave, static_cast<QPushButton*>(c().cmdUpdINI)}) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      c().tabPage->SetCurrTab(button == c().cmdSave ? 0 : 1);
      QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
      const QSignalSpy clicks(button, &QPushButton::clicked);
      button->setFocus();
      QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      EXPECT_EQ(clicks.count(), 1) << button->objectName().toStdString() << " " << key;
    }
  }
}

TEST_F(Window, ChineseTextIsDrawnWithAnInstalledChineseFace) {
  EXPECT_EQ(window->font().family(), QString("標楷體"));
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 14.25);
  EXPECT_EQ(QFontInfo(c().chkDefault->font()).family(), QString("AR PL UKai TW"));
  EXPECT_EQ(c().fgList->font().family(), QString("新細明體"));
  EXPECT_EQ(QFontInfo(c().fgList->font()).family(), QString("AR PL UMing TW"));
  EXPECT_EQ(QFontInfo(c().fgUpdLog->font()).family(), QString("AR PL UKai TW"));
  EXPECT_EQ(c().cmdUpdINI->font().family(), QString("細明體"));
  EXPECT_EQ(QFontInfo(c().cmdUpdINI->font()).family(), QString("AR PL UMing TW"));
  EXPECT_TRUE(QFontMetrics(c().chkDefault->font()).inFont(QChar(u'檔')));
}

bool ShowsYellow(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == QColor(255, 255, 0)) return true;
    }
  }
  return false;
}

TEST_F(Window, PictureButtonsShowTheirPictureOnAGreyFaceEvenWhenLow) {
  for (app::PictureButton* button : {c().cmdInputName, c().cmdUpdINI, c().cmdUpdIDMENU}) {
    button->setEnabled(true);
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(192, 192, 192));
    EXPECT_TRUE(ShowsYellow(*button)) << button->objectName().toStdString();
  }
}

TEST_F(Window, TheServerNameBoxTakesChineseTextAndReportsADoubleClick) {
  c().tabPage->SetCurrTab(1);
  c().txtComputerName->setFocus();
  for (const QString& character : {QString("資"), QString("料"), QString("1")}) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
    QApplication::sendEvent(c().txtComputerName, &press);
  }
  EXPECT_EQ(window->ComputerNameText(), "資料1");
  window->SetComputerNameText("SERVER 伺服器");
  EXPECT_EQ(c().txtComputerName->text(), QString("SERVER 伺服器"));

  QSignalSpy doubleClicks(c().txtComputerName, &app::TextBox::doubleClicked);
  // The double-click opens the keyboard dialog; cancelled, it leaves the name alone.
  WhenModalShows<QDialog>([](QDialog& keyboard) { keyboard.reject(); });
  QTest::mouseDClick(c().txtComputerName, Qt::LeftButton);
  EXPECT_EQ(doubleClicks.count(), 1);
  EXPECT_EQ(window->ComputerNameText(), "SERVER 伺服器");
}

}  // namespace
