// The Qt side of the user-interface seam: message boxes, busy pointer, folder picker
// and the open-file dialog, each answered as a user would.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "app/qt/qt_open_file_dialog.h"
#include "app/qt/qt_user_interface.h"
#include "controls/memory_grid.h"
#include "modal.h"
#include "platform/settings_store.h"
#include "snapshot/registry_page.h"
#include "support/scoped_env.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using common::Answer;
using common::Buttons;
using common::Icon;

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QString defaultButton;
};

// Shows one box, records what it showed and presses the button with `press` on it.
Answer ShowAndPress(std::string_view text, Buttons buttons, Icon icon, const QString& press,
                    SeenBox& seen) {
  WhenModalShows<QMessageBox>([&seen, press](QMessageBox& box) {
    seen = {box.windowTitle(), box.text(), box.icon(), {}, box.defaultButton()->text()};
    for (QAbstractButton* button : box.buttons()) {
      seen.buttons << button->text();
      if (button->text() == press) button->click();
    }
  });
  app::QtUserInterface ui;
  return ui.MessageBox(text, buttons, icon, "系統設定工具");
}

TEST(QtMessageBox, ShowsTheReportLineByLineWithTheTitleAndAWarningIcon) {
  SeenBox seen;
  const Answer answer = ShowAndPress("處理程序: (x)\r\n訊息: \r\n     <b>D</b>\r\n\r\n",
                                     Buttons::kOk, Icon::kExclamation, "OK", seen);
  EXPECT_EQ(answer, Answer::kOk);
  EXPECT_EQ(seen.title, QString("系統設定工具"));
  EXPECT_EQ(seen.text, QString("處理程序: (x)\n訊息: \n     <b>D</b>\n\n"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QStringList{"OK"});
}

TEST(QtMessageBox, AYesNoQuestionReturnsTheAnswerAndOffersYesFirst) {
  SeenBox seen;
  EXPECT_EQ(ShowAndPress("該文字檔已存在，要覆蓋嗎?", Buttons::kYesNo, Icon::kNone, "&No", seen),
            Answer::kNo);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.defaultButton, QString("&Yes"));
  EXPECT_EQ(ShowAndPress("?", Buttons::kYesNo, Icon::kStop, "&Yes", seen), Answer::kYes);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtBusyPointer, NotBusyRestoresTheDefaultPointerHoweverOftenBusyWasAskedFor) {
  app::QtUserInterface ui;
  ui.SetBusyPointer(true);
  ui.SetBusyPointer(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.SetBusyPointer(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtFolderPicker, ShowsTheTitleFoldersOnlyAndACancelGivesNothing) {
  QString title;
  bool dirsOnly = false;
  WhenModalShows<QFileDialog>([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    dirsOnly = dialog.testOption(QFileDialog::ShowDirsOnly);
    dialog.reject();
  });
  app::QtUserInterface ui;
  EXPECT_EQ(ui.BrowseForFolder({nullptr, "請選擇存檔目錄", true}), "");
  EXPECT_EQ(title, QString("請選擇存檔目錄"));
  EXPECT_TRUE(dirsOnly);
}

TEST(QtFolderPicker, GivesTheChosenFolder) {
  testing_support::TempDir dir;
  const QString folder = QString::fromStdString(dir.path().string());
  WhenModalShows<QFileDialog>([&](QFileDialog& dialog) {
    dialog.setDirectory(folder);
    static_cast<QDialog&>(dialog).accept();  // as the Open button does
  });
  app::QtUserInterface ui;
  EXPECT_EQ(ui.BrowseForFolder({nullptr, "t", true}), dir.path().string());
}

TEST(QtNameFilters, TurnsDescriptionPatternPairsIntoQtFilters) {
  EXPECT_EQ(app::QtNameFilters("文字檔|*.txt"), QString("文字檔 (*.txt)"));
  EXPECT_EQ(app::QtNameFilters("文字檔|*.txt;*.log|所有檔案|*.*"),
            QString("文字檔 (*.txt *.log);;所有檔案 (*.*)"));
  EXPECT_EQ(app::QtNameFilters(""), QString());
}

// Types the name into the dialog's name box and presses Open, as a user does.
void Choose(QFileDialog& dialog, const std::string& name) {
  auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(nameBox, nullptr);
  nameBox->setText(QString::fromStdString(name));
  static_cast<QDialog&>(dialog).accept();
}

class QtOpenFile : public testing::Test {
 protected:
  QtOpenFile() {
    testing_support::WriteBytes(dir.path() / "Reg_A.txt", "a");
    testing_support::WriteBytes(dir.path() / "Reg_B.txt", "b");
    dialog.SetInitDir(dir.path().string());
    dialog.SetDefaultExt("txt");
    dialog.SetFilter("文字檔|*.txt");
  }
  std::string File(const char* name) const { return (dir.path() / name).string(); }

  testing_support::TempDir dir;
  app::QtOpenFileDialog dialog{nullptr};
};

TEST_F(QtOpenFile, OpensInTheStartFolderWithTheFilterAndTakesTheChoice) {
  QString shownFolder, shownFilter, shownTitle = QStringLiteral("unset");
  WhenModalShows<QFileDialog>([&](QFileDialog& shown) {
    shownTitle = shown.windowTitle();
    shownFolder = shown.directory().absolutePath();
    shownFilter = shown.selectedNameFilter();
    Choose(shown, File("Reg_B.txt"));
  });
  EXPECT_TRUE(dialog.ShowOpen());
  EXPECT_EQ(shownFolder.toStdString(), dir.path().string());
  EXPECT_EQ(shownFilter, QString("文字檔 (*.txt)"));
  // No title of the program's own: the toolkit names the dialog.
  EXPECT_NE(shownTitle, QString("開啟"));
  EXPECT_EQ(dialog.FileName(), File("Reg_B.txt"));
}

TEST_F(QtOpenFile, KeepsTheNameBetweenUsesAndACancelIsNoChoice) {
  WhenModalShows<QFileDialog>([&](QFileDialog& shown) { Choose(shown, File("Reg_A.txt")); });
  ASSERT_TRUE(dialog.ShowOpen());
  ASSERT_EQ(dialog.FileName(), File("Reg_A.txt"));

  QStringList offered;
  WhenModalShows<QFileDialog>([&](QFileDialog& shown) {
    offered = shown.selectedFiles();
    shown.reject();
  });
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(offered, QStringList{QString::fromStdString(File("Reg_A.txt"))});
  EXPECT_EQ(dialog.FileName(), File("Reg_A.txt"));
}

// The Registry page with the real dialog: the page's folder in the tool's Windows form
// must open the dialog there, and a name typed there must reach the page's reader.
TEST(QtOpenFileOnThePage, OpensInTheDefaultFolderAndTheNameTypedThereIsRead) {
  testing_support::ScriptedUi ui;
  testing_support::TempDir dir;
  std::filesystem::create_directories(dir.path() / "bin");
  std::filesystem::create_directories(dir.path() / "DAT");
  testing_support::WriteBytes(dir.path() / "DAT" / "Reg_PC1.txt", "App,Sec,k,v\r\n");
  const testing_support::ScopedEnv xdg("XDG_CONFIG_HOME", dir.file("config"));
  const testing_support::ScopedEnv state("XDG_STATE_HOME", dir.file("state"));
  const auto store = platform::OpenUserSettingsStore();
  controls::MemoryGrid fgList;
  fgList.SetCols(4);
  app::QtOpenFileDialog dialog{nullptr};
  snapshot::RegistryPage page(
      fgList, dialog, [] { return 0; }, [] { return std::string("PC1"); }, dir.file("bin"), *store,
      nullptr);

  QString shownFolder;
  WhenModalShows<QFileDialog>([&](QFileDialog& shown) {
    shownFolder = shown.directory().absolutePath();
    Choose(shown, "Reg_PC1.txt");
  });
  page.cmdReadRegFile_Click();
  EXPECT_EQ(shownFolder.toStdString(), (dir.path() / "DAT").string());
  EXPECT_EQ(fgList.DataRows(), (std::vector<std::vector<std::string>>{{"App", "Sec", "k", "v"}}));
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
