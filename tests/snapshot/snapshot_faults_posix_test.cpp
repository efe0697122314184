// The Registry page's commands when the system fails under them: a full disk, a
// read-only file, a folder where a file should be, a file that vanishes after it was
// found, a store file nobody may read, a store lock that a hung program holds. Each
// time the user gets the messages the commands promise, and the earlier snapshot and
// the store file keep every byte.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "snapshot/registry_page.h"
#include "snapshot_command_posix.h"
#include "snapshot_fixture.h"
#include "support/file_size_limit_posix.h"

namespace snapshot_tests {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

constexpr uid_t kNobody = 65534;

class SnapshotFaults : public SnapshotTest {
 protected:
  SnapshotFaults() {
    fs::create_directories(dir.path() / "bin");
    fs::create_directories(dir.path() / "DAT");
    Save("App", "Sec", "k", "stored");
    Save("App", "Sec", "big", std::string(6000, 'b'));
    WriteBytes(Snapshot(), kEarlierSnapshot);
    storeBefore_ = ReadBytes(StoreFile());
  }

  // Every fault must leave both files as they were; a test that changes the snapshot
  // to restore it puts the earlier one back.
  void TearDown() override {
    EXPECT_EQ(ReadBytes(Snapshot()), kEarlierSnapshot);
    EXPECT_EQ(ReadBytes(StoreFile()), storeBefore_);
    for (const auto& entry : fs::directory_iterator(dir.path() / "DAT")) {
      EXPECT_TRUE(entry.path() == Snapshot()) << "left behind: " << entry.path();
    }
  }

  // The default snapshot as the save writes it; the reading commands ask for
  // Reg_PC1.txt and find it as the one name that matches ignoring case.
  std::string Snapshot() const { return dir.file("DAT/Reg_PC1.TXT"); }
  std::string ReadersDefault() const { return dir.file("bin") + "\\..\\DAT\\Reg_PC1.txt"; }
  std::string StoreFile() const { return dir.file("config/vb-registry/HKEY_CURRENT_USER.reg"); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : ui.boxes()) texts.push_back(box.text);
    return texts;
  }

  // The error report of a routine: its label, then the failure's number and words.
  static bool IsReport(const std::string& text, std::string_view label, std::string_view words) {
    return text.starts_with("處理程序: (" + std::string(label) + ")") &&
           text.find(words) != std::string::npos;
  }

  // "讀取本機Registry", then "存檔" (Yes to the overwrite question), on a store file that
  // cannot be read: each reports the store's words, then says it failed.
  void ExpectReadAndSaveToNameTheStore(std::string_view words) {
    ui.ExpectBox();
    ui.ExpectBox();
    page.cmdGetCurrentReg_Click();
    ui.ExpectBox(Answer::kYes);
    ui.ExpectBox();
    ui.ExpectBox();
    page.cmdSave_Click();
    ASSERT_GE(ui.boxes().size(), 5u);
    EXPECT_TRUE(IsReport(ui.boxes()[0].text, "bmRegistry_GetCurrentKey", words))
        << ui.boxes()[0].text;
    EXPECT_EQ(ui.boxes()[1].text, "讀取Registry失敗");
    EXPECT_TRUE(IsReport(ui.boxes()[3].text, "bmRegistry_GetCurrentKeyToFile", words))
        << ui.boxes()[3].text;
    EXPECT_EQ(ui.boxes()[4].text, "存檔失敗");
  }

  static constexpr std::string_view kEarlierSnapshot = "App,Sec,k,earlier\r\n";
  std::string storeBefore_;
  testing_support::ScriptedOpenFileDialog dialog;
  int owner = 0;
  snapshot::RegistryPage page{
      fgList, dialog, [] { return 1; }, [] { return "PC1"; }, dir.file("bin"), *store, &owner};
};

TEST_F(SnapshotFaults, ADiskThatFillsUpDuringASaveKeepsTheEarlierSnapshot) {
  ui.ExpectBox(Answer::kYes);  // overwrite it?
  ui.ExpectBox();              // 存檔失敗
  {
    const testing_support::FileSizeLimit limit(4096);
    page.cmdSave_Click();
  }
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"該文字檔已存在，要覆蓋嗎?", "存檔失敗"}));
}

TEST_F(SnapshotFaults, ADiskThatFillsUpDuringARestoreKeepsTheStoreFile) {
  WriteBytes(Snapshot(), "App,Sec,more," + std::string(8000, 'm') + "\r\n");
  ui.ExpectBox();
  ui.ExpectBox();
  {
    const testing_support::FileSizeLimit limit(8192);
    page.cmdLoadReg_Click();
  }
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(IsReport(ui.boxes()[0].text, "bmRegistry_LoadRegistry", "HKEY_CURRENT_USER.reg"))
      << ui.boxes()[0].text;
  EXPECT_EQ(ui.boxes()[1].text, "復原Registry失敗");
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

TEST_F(SnapshotFaults, AReadOnlySnapshotIsNotReplaced) {
  testing_support::MakeReadOnly(Snapshot());
  ui.ExpectBox(Answer::kYes);
  ui.ExpectBox();
  page.cmdSave_Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"該文字檔已存在，要覆蓋嗎?", "存檔失敗"}));
}

TEST_F(SnapshotFaults, AReadOnlyStoreFileRefusesTheRestoreAndSaysWhy) {
  testing_support::MakeReadOnly(StoreFile());
  WriteBytes(Snapshot(), "App,Sec,k,restored\r\n");
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(IsReport(ui.boxes()[0].text, "bmRegistry_LoadRegistry", "HKEY_CURRENT_USER.reg"))
      << ui.boxes()[0].text;
  EXPECT_EQ(ui.boxes()[1].text, "復原Registry失敗");
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

TEST_F(SnapshotFaults, AFolderWhereTheSnapshotShouldBeIsNeitherReadNorReplaced) {
  fs::remove(Snapshot());
  fs::create_directory(Snapshot());
  ui.ExpectBox();
  page.cmdSave_Click();  // no overwrite question: a folder is no file
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdReadRegFile_Click();
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  const std::string notFound = "File Not Found:" + ReadersDefault();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"存檔失敗", notFound, "自文字檔讀入Registry失敗",
                                                  notFound, "復原Registry失敗"}));
  EXPECT_TRUE(fs::is_directory(Snapshot()) && fs::is_empty(Snapshot()));
  fs::remove(Snapshot());
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

TEST_F(SnapshotFaults, AFolderWhereTheStoreFileShouldBeFailsEveryCommandClearly) {
  fs::rename(StoreFile(), dir.file("store.kept"));
  fs::create_directory(StoreFile());
  WriteBytes(Snapshot(), "App,Sec,k,restored\r\n");
  ExpectReadAndSaveToNameTheStore("HKEY_CURRENT_USER.reg");
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  ASSERT_EQ(ui.boxes().size(), 7u);
  EXPECT_TRUE(IsReport(ui.boxes()[5].text, "bmRegistry_LoadRegistry", "HKEY_CURRENT_USER.reg"))
      << ui.boxes()[5].text;
  EXPECT_EQ(ui.boxes()[6].text, "復原Registry失敗");
  EXPECT_EQ(ReadBytes(Snapshot()), "App,Sec,k,restored\r\n");
  EXPECT_TRUE(fs::is_empty(StoreFile()));
  fs::remove(StoreFile());
  fs::rename(dir.file("store.kept"), StoreFile());
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

TEST_F(SnapshotFaults, AStoreFileThatCannotBeParsedIsNamedWithItsLineByEveryReader) {
  const std::string where =
      "HKEY_CURRENT_USER.reg, line " +
      std::to_string(std::count(storeBefore_.begin(), storeBefore_.end(), '\n') + 1);
  WriteBytes(StoreFile(), storeBefore_ + "damaged\n");
  ExpectReadAndSaveToNameTheStore(where);
  // The comparison with a snapshot gives no answer rather than "all to add".
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::CompareWithStore(Snapshot(), *store));
  ASSERT_EQ(ui.boxes().size(), 6u);
  EXPECT_TRUE(IsReport(ui.boxes()[5].text, "bmRegistry_CompareWithStore", where))
      << ui.boxes()[5].text;
  WriteBytes(StoreFile(), storeBefore_);
}

// Removes a file at the moment a command puts up the busy pointer: after the command
// has found the file and before it opens it.
class VanishingFileUi : public testing_support::ScriptedUi {
 public:
  explicit VanishingFileUi(std::string path) : path_(std::move(path)) {}
  void SetBusyPointer(bool busy) override {
    if (busy && !path_.empty()) {
      fs::rename(path_, path_ + ".gone");
      path_.clear();
    }
    ScriptedUi::SetBusyPointer(busy);
  }

 private:
  std::string path_;
};

TEST_F(SnapshotFaults, ASnapshotDeletedAfterItWasFoundFailsTheReadAndTheRestoreClearly) {
  WriteBytes(Snapshot(), "App,Sec,k,restored\r\n");
  fgList.AddItem({"shown", "before"});
  for (const bool restore : {false, true}) {
    VanishingFileUi vanishing(Snapshot());
    vanishing.ExpectBox();
    vanishing.ExpectBox();
    if (restore) {
      page.cmdLoadReg_Click();
    } else {
      page.cmdReadRegFile_Click();
    }
    ASSERT_EQ(vanishing.boxes().size(), 2u);
    EXPECT_TRUE(IsReport(vanishing.boxes()[0].text,
                         restore ? "bmRegistry_LoadRegistry" : "frmReg_LoadRegistryToFG",
                         "Reg_PC1.txt"))  // the name the reader asked for
        << vanishing.boxes()[0].text;
    EXPECT_EQ(vanishing.boxes()[1].text, restore ? "復原Registry失敗" : "自文字檔讀入Registry失敗");
    fs::rename(Snapshot() + ".gone", Snapshot());
  }
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

TEST_F(SnapshotFaults, AStoreFileNobodyMayReadFailsTheRestoreWithTheReason) {
  // Root reads any file, so the restore runs as an ordinary user then.
  const bool asRoot = ::geteuid() == 0;
  if (asRoot) {
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      ASSERT_EQ(::chown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chown(dir.path().c_str(), kNobody, kNobody), 0);
  }
  fs::permissions(StoreFile(), fs::perms::none);
  const std::string restored = dir.file("restore.txt");
  WriteBytes(restored, "App,Sec,k,restored\r\n");
  if (asRoot) {
    ASSERT_EQ(::chown(restored.c_str(), kNobody, kNobody), 0);
  }

  SnapshotCommand command({"restore", restored}, dir.file("config"),
                          asRoot ? kNobody : static_cast<uid_t>(-1));
  const CommandOutcome outcome = command.Wait();
  EXPECT_EQ(outcome.failedRoutines, 1);
  EXPECT_TRUE(IsReport(outcome.output.substr(5), "bmRegistry_LoadRegistry", "Permission denied"))
      << outcome.output;
  EXPECT_NE(outcome.output.find("HKEY_CURRENT_USER.reg"), std::string::npos) << outcome.output;
  fs::permissions(StoreFile(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SnapshotFaults, AStoreLockThatAHungProgramHoldsFailsTheRestoreWithTheReason) {
  int locked[2];
  ASSERT_EQ(::pipe(locked), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const int fd = ::open((StoreFile() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(locked[1], "L", 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(locked[0], &byte, 1), 1);
  WriteBytes(Snapshot(), "App,Sec,k,restored\r\n");
  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdLoadReg_Click();
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  ::close(locked[0]);
  ::close(locked[1]);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(IsReport(ui.boxes()[0].text, "bmRegistry_LoadRegistry", "another program has held"))
      << ui.boxes()[0].text;
  EXPECT_EQ(ui.boxes()[1].text, "復原Registry失敗");
  WriteBytes(Snapshot(), kEarlierSnapshot);
}

}  // namespace
}  // namespace snapshot_tests
