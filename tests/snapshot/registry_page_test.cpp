// The four commands of the Registry page, driven as a user would: check box, dialogs
// and answers scripted, every box checked.
#include "snapshot/registry_page.h"

#include <filesystem>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using common::Answer;
using common::Buttons;
using common::Icon;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

class RegistryPageTest : public SnapshotTest {
 protected:
  RegistryPageTest() {
    std::filesystem::create_directories(dir.path() / "bin");
    std::filesystem::create_directories(dir.path() / "DAT");
  }

  void ExpectOnlyBox(const std::string& text) {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, text);
    EXPECT_EQ(ui.boxes()[0].buttons, Buttons::kOk);
    EXPECT_EQ(ui.boxes()[0].icon, Icon::kNone);
    EXPECT_EQ(ui.boxes()[0].title, common::kAppTitle);
  }

  std::string DefaultFolder() const { return dir.file("bin") + "\\..\\DAT"; }
  std::string SavedFile() const { return dir.file("DAT/Reg_PC1.TXT"); }

  testing_support::ScriptedOpenFileDialog dialog;
  int chkDefault = 1;
  std::string computerName = "PC1";
  int owner = 0;

  // The page as the window builds it, the program living in <dir>/bin.
  snapshot::RegistryPage page{fgList,
                              dialog,
                              [this] { return chkDefault; },
                              [this] { return computerName; },
                              dir.file("bin"),
                              *store,
                              &owner};
};

TEST_F(RegistryPageTest, ReadingTheStoreShowsItAndFitsTheColumns) {
  Save("App", "Sec", "k", "v");
  fgList.AddItem({"stale"});
  page.cmdGetCurrentReg_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "v"}}));
  EXPECT_EQ(fgList.fits(), (std::vector<std::pair<int, int>>{{0, 3}}));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryPageTest, ReadingAStoreWithoutRootSaysSoAndLeavesTheHeaderOnly) {
  fgList.AddItem({"stale"});
  ui.ExpectBox();
  page.cmdGetCurrentReg_Click();
  ExpectOnlyBox("讀取Registry失敗");
  EXPECT_EQ(fgList.Rows(), 1);
  EXPECT_TRUE(fgList.fits().empty());
}

TEST_F(RegistryPageTest, SavingWritesTheDefaultFileThenAsksBeforeOverwriting) {
  Save("App", "Sec", "k", "v");
  fgList.AddItem({"shown", "rows", "stay"});
  page.cmdSave_Click();
  EXPECT_EQ(ReadBytes(SavedFile()), "App,Sec,k,v\r\n");
  EXPECT_EQ(fgList.DataRows(), (Rows{{"shown", "rows", "stay", ""}}));
  EXPECT_EQ(fgList.fits().size(), 1u);

  Save("App", "Sec", "k", "new");
  ui.ExpectBox(Answer::kNo);
  page.cmdSave_Click();
  EXPECT_EQ(ReadBytes(SavedFile()), "App,Sec,k,v\r\n");
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text, "該文字檔已存在，要覆蓋嗎?");
  EXPECT_EQ(ui.boxes()[0].title, "檔案已存在");
  EXPECT_EQ(ui.boxes()[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(ui.boxes()[0].icon, Icon::kNone);

  ui.ExpectBox(Answer::kYes);
  page.cmdSave_Click();
  EXPECT_EQ(ReadBytes(SavedFile()), "App,Sec,k,new\r\n");
}

TEST_F(RegistryPageTest, TheSaveReplacesTheSnapshotOfItsNameInAnyCaseSoTheReadersSeeIt) {
  Save("App", "Sec", "k", "v");
  const std::string lowerCase = dir.file("DAT/Reg_PC1.txt");
  WriteBytes(lowerCase, "App,Sec,k,stale\r\n");
  ui.ExpectBox(Answer::kYes);
  page.cmdSave_Click();
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text, "該文字檔已存在，要覆蓋嗎?");
  EXPECT_EQ(ReadBytes(lowerCase), "App,Sec,k,v\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "DAT"), {}), 1);
  page.cmdReadRegFile_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "v"}}));
}

TEST_F(RegistryPageTest, SavingAnEmptyStoreSaysSoAndWritesNothing) {
  CreateEmptyRoot();
  ui.ExpectBox();
  page.cmdSave_Click();
  ExpectOnlyBox("存檔失敗");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "DAT"));
}

TEST_F(RegistryPageTest, AReadOnlySnapshotOrAMissingFolderEndsInSaveFailedOnly) {
  Save("App", "Sec", "k", "v");
  WriteBytes(SavedFile(), "kept");
  testing_support::MakeReadOnly(SavedFile());
  ui.ExpectBox(Answer::kYes);
  ui.ExpectBox();
  page.cmdSave_Click();
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].text, "存檔失敗");
  EXPECT_EQ(ReadBytes(SavedFile()), "kept");

  chkDefault = 0;
  ui.QueueFolder(dir.file("no such folder"));
  ui.ExpectBox();
  page.cmdSave_Click();
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[2].text, "存檔失敗");
}

TEST_F(RegistryPageTest, SavingIntoTheChosenFolder) {
  Save("App", "Sec", "k", "v");
  chkDefault = 0;
  ui.QueueFolder(dir.file("bin"));
  page.cmdSave_Click();
  EXPECT_EQ(ReadBytes(dir.file("bin/Reg_PC1.TXT")), "App,Sec,k,v\r\n");
  ASSERT_EQ(ui.folderRequests().size(), 1u);
  EXPECT_EQ(ui.folderRequests()[0].title, "選擇目錄");
  EXPECT_TRUE(ui.folderRequests()[0].foldersOnly);
  EXPECT_EQ(ui.folderRequests()[0].owner, &owner);
}

TEST_F(RegistryPageTest, CancellingTheFolderPickerWritesNothingAndSaysNothing) {
  Save("App", "Sec", "k", "v");
  chkDefault = 0;
  ui.QueueFolder(std::nullopt);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  page.cmdSave_Click();
  std::filesystem::current_path(before);
  EXPECT_FALSE(std::filesystem::exists(dir.file("Reg_PC1.TXT")));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryPageTest, AnEmptyComputerNameGivesRegDotTxt) {
  Save("App", "Sec", "k", "v");
  computerName.clear();
  page.cmdSave_Click();
  EXPECT_TRUE(std::filesystem::exists(dir.file("DAT/Reg_.TXT")));
  page.cmdReadRegFile_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "v"}}));
}

TEST_F(RegistryPageTest, ReadingTheDefaultFileFindsTheSavedOne) {
  Save("App", "Sec", "k", "v");
  page.cmdSave_Click();
  page.cmdReadRegFile_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "v"}}));
  EXPECT_EQ(fgList.fits().size(), 2u);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryPageTest, WithoutTheDefaultFileBothReadersNameItThenFail) {
  const std::string expected = DefaultFolder() + "\\Reg_PC1.txt";
  for (auto click :
       {&snapshot::RegistryPage::cmdReadRegFile_Click, &snapshot::RegistryPage::cmdLoadReg_Click}) {
    ui.ExpectBox();
    ui.ExpectBox();
    (page.*click)();
  }
  ASSERT_EQ(ui.boxes().size(), 4u);
  EXPECT_EQ(ui.boxes()[0].text, "File Not Found:" + expected);
  EXPECT_EQ(ui.boxes()[1].text, "自文字檔讀入Registry失敗");
  EXPECT_EQ(ui.boxes()[2].text, "File Not Found:" + expected);
  EXPECT_EQ(ui.boxes()[3].text, "復原Registry失敗");
  for (const auto& box : ui.boxes()) EXPECT_EQ(box.icon, Icon::kNone);
}

TEST_F(RegistryPageTest, TheOpenDialogIsSetUpAndEveryCancelIsNoChoice) {
  chkDefault = 0;
  dialog.QueueChoice(std::nullopt);
  ui.ExpectBox();
  page.cmdReadRegFile_Click();
  ExpectOnlyBox("請選擇文字檔");
  EXPECT_EQ(dialog.initDir, DefaultFolder());
  EXPECT_EQ(dialog.defaultExt, ".txt");
  EXPECT_EQ(dialog.filter, "文字檔|*.txt");

  const std::string chosen = dir.file("chosen.txt");
  WriteBytes(chosen, "A,S,k,v\r\n");
  dialog.QueueChoice(chosen);
  page.cmdReadRegFile_Click();
  // The dialog still holds the last choice; a cancel neither restores nor reads it.
  fgList.AddItem({"shown"});
  for (auto click :
       {&snapshot::RegistryPage::cmdLoadReg_Click, &snapshot::RegistryPage::cmdReadRegFile_Click}) {
    dialog.QueueChoice(std::nullopt);
    ui.ExpectBox();
    (page.*click)();
    EXPECT_EQ(ui.boxes().back().text, "請選擇文字檔");
  }
  EXPECT_EQ(ui.boxes().size(), 3u);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(fgList.DataRows(), (Rows{{"A", "S", "k", "v"}, {"shown", "", "", ""}}));
}

TEST_F(RegistryPageTest, ACancelledOpenDialogOnFirstUseOfTheRestoreSaysOnlyThat) {
  chkDefault = 0;
  dialog.QueueChoice(std::nullopt);
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  ExpectOnlyBox("請選擇文字檔");
}

TEST_F(RegistryPageTest, ARestoreLeavesTheGridAsItWas) {
  WriteBytes(dir.file("DAT/Reg_PC1.txt"), "App,Sec,k,restored\r\n");
  fgList.AddItem({"before", "restore"});
  page.cmdLoadReg_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"before", "restore", "", ""}}));
  EXPECT_EQ(fgList.fits().size(), 1u);
  page.cmdGetCurrentReg_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "restored"}}));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryPageTest, ABadSnapshotGivesTheReportThenTheRestoreFailure) {
  WriteBytes(dir.file("DAT/Reg_PC1.txt"), "App,k,v\r\n");
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[0].icon, Icon::kExclamation);
  EXPECT_EQ(ui.boxes()[1].text, "復原Registry失敗");
  EXPECT_TRUE(Records().empty());
}

TEST_F(RegistryPageTest, AFailureInACommandsOwnStepIsReportedWithItsLabel) {
  // Nothing to show widens the grid, and fitting the columns of a grid without any
  // columns fails: the last step of each command.
  CreateEmptyRoot();
  WriteBytes(dir.file("DAT/Reg_PC1.txt"), "");
  fgList.SetCols(0);
  const auto reportedAs = [&](void (snapshot::RegistryPage::*click)(), const std::string& label) {
    const std::size_t before = ui.boxes().size();
    ui.ExpectBox();
    (page.*click)();
    ASSERT_EQ(ui.boxes().size(), before + 1) << label;
    EXPECT_EQ(ui.boxes().back().text.rfind("處理程序: (" + label + ")\r\n", 0), 0u)
        << ui.boxes().back().text;
  };
  reportedAs(&snapshot::RegistryPage::cmdGetCurrentReg_Click, "frmReg_cmdGetCurrentReg_Click");
  reportedAs(&snapshot::RegistryPage::cmdReadRegFile_Click, "frmReg_cmdReadRegFile_Click");
  reportedAs(&snapshot::RegistryPage::cmdLoadReg_Click, "frmReg_cmdLoadReg_Click");
  Save("App", "Sec", "k", "v");
  chkDefault = 0;
  ui.QueueFolder(dir.file("bin"));
  reportedAs(&snapshot::RegistryPage::cmdSave_Click, "frmReg_cmdSave_Click");
}

}  // namespace
}  // namespace snapshot_tests
