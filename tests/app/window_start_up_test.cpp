// Start-up and exit of the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

#include "app/qt/fm_reg_tool.h"
#include "common/failure.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "support/scripted_ui.h"

namespace {

using testing_support::ScriptedUi;
using Cells = std::vector<std::string>;

Cells Row(controls::Grid& grid, int row) {
  Cells cells;
  for (int c = 0; c < grid.Cols(); ++c) cells.push_back(grid.TextMatrix(row, c));
  return cells;
}

std::string NamedMachine() {
  return "WS-07";
}

TEST(StartUp, BothGridsHoldOnlyTheirHeaderRows) {
  ScriptedUi ui;
  fmRegTool window(NamedMachine);
  EXPECT_EQ(window.fgList().Rows(), 1);
  EXPECT_EQ(Row(window.fgList(), 0), (Cells{"Key1", "Key2", "Key3", "Value"}));
  EXPECT_EQ(window.fgUpdLog().Rows(), 1);
  EXPECT_EQ(Row(window.fgUpdLog(), 0), (Cells{"項目", "狀態"}));
}

TEST(StartUp, TheRegistryPageIsShownAndTheInputsAreClear) {
  ScriptedUi ui;
  fmRegTool window(NamedMachine);
  window.show();
  const auto& c = window.Controls();
  EXPECT_EQ(c.tabPage->CurrTab(), 0);
  EXPECT_TRUE(c.fgList->isVisible());
  EXPECT_FALSE(c.fgUpdLog->isVisible());
  EXPECT_FALSE(window.DefaultFilesChecked());
  EXPECT_EQ(window.ComputerNameText(), "");
  EXPECT_EQ(window.windowTitle(), QString("系統設定工具"));
  EXPECT_FALSE(window.windowIcon().isNull());
}

TEST(StartUp, ComputerNameIsThisMachinesName) {
  ScriptedUi ui;
  fmRegTool window;
  EXPECT_FALSE(window.ComputerName().empty());
  EXPECT_EQ(window.ComputerName(), QSysInfo::machineHostName().toStdString());
}

TEST(StartUp, WithoutAComputerNameStartUpCompletesSilently) {
  ScriptedUi ui;  // fails the test on any message box
  fmRegTool window([] { return std::string(); });
  EXPECT_EQ(window.ComputerName(), "");
  EXPECT_EQ(ui.beeps(), 0);
  EXPECT_EQ(window.fgUpdLog().Rows(), 1);
  EXPECT_EQ(window.fgUpdLog().Cols(), 2);
}

TEST(StartUp, AFailedSetUpIsReportedOnceAndTheWindowStillShows) {
  ScriptedUi ui;
  ui.ExpectBox();
  fmRegTool window([]() -> std::string { common::Raise(common::err::kDeviceIo, "no name today"); });
  window.show();
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].text.find("處理程序: (frmReg_InitForm)\r\n"), std::string::npos);
  EXPECT_NE(ui.boxes()[0].text.find("     no name today\r\n"), std::string::npos);
  EXPECT_EQ(ui.boxes()[0].icon, common::Icon::kExclamation);
  EXPECT_EQ(ui.beeps(), 1);
  // The steps after the failure did not run: the grids keep a fresh grid's shape.
  EXPECT_EQ(window.fgList().Cols(), 0);
  EXPECT_EQ(window.fgList().Rows(), 1);
  EXPECT_TRUE(window.isVisible());
}

class ExitButton : public testing::TestWithParam<int> {};

TEST_P(ExitButton, EndsTheProgramAtOnceWithUnsavedRowsAndAnOpenDialog) {
  ScriptedUi ui;  // no question may be asked
  fmRegTool window(NamedMachine);
  window.fgList().AddItem({"App", "Section", "Key", "never saved"});
  window.Controls().tabPage->SetCurrTab(GetParam());
  window.show();
  QDialog hiddenDialog;  // as the keyboard dialog stays loaded between uses
  QDialog otherWindow;
  otherWindow.show();

  QPushButton* button = window.Controls().cmdExit[static_cast<std::size_t>(GetParam())];
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // never hang the run
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(otherWindow.isVisible());
  EXPECT_TRUE(ui.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(OnEitherPage, ExitButton, testing::Values(0, 1));

TEST(Exit, ClosingTheWindowEndsTheProgramEvenWithAHiddenDialogLoaded) {
  ScriptedUi ui;
  fmRegTool window(NamedMachine);
  window.show();
  QDialog hiddenDialog(&window);  // as the keyboard dialog stays loaded between uses
  hiddenDialog.show();
  hiddenDialog.hide();
  QTimer::singleShot(0, &window, [&window] { window.close(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // never hang the run
  EXPECT_EQ(QApplication::exec(), 0);
}

TEST(Program, WithoutADisplaySaysHowToRunItAndFails) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(REGTOOL_PROGRAM), {});
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 2);  // the command line's "trouble before any work"
  const QByteArray error = program.readAllStandardError();
  EXPECT_TRUE(error.startsWith("regtool: cannot open the window: no display (the commands need "
                               "none; see regtool --help)\n"))
      << error.constData();
  EXPECT_TRUE(error.contains("xvfb-run -a"));
}

}  // namespace
