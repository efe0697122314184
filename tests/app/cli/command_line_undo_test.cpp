// Every restore can be taken back: restore a file, then `undo`, on each backend's real
// store (under Wine, the prefix's registry).
#include <gtest/gtest.h>

#include <sstream>

#include "command_run.h"
#include "platform/ansi_codepage.h"
#include "undo_check.h"

namespace cli_tests {
namespace {

TEST(CommandLineUndo, UndoPutsBackEveryValueByteForByteRemovesWhatTheRestoreAddedAndIsUndoneItself) {
  struct Case {
    const char* what;
    std::string lines;  // UTF-8, converted to the ANSI code page
  };
  const std::string app = kUndoApplication, added = kAddedApplication;
  const std::vector<Case> cases = {
      {"strings replaced", app + ",視窗,Left,240\r\n" + app + ",視窗,標題,新的\r\n"},
      {"dword and binary replaced by strings", app + ",視窗,Count,7\r\n" + app + ",視窗,Blob,x\r\n"},
      {"values added, one in a new application",
       app + ",視窗,新值,n\r\n" + added + ",區段,鍵,v\r\n" + app + ",視窗,Left,120\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CommandSandbox sandbox;
    SeedUndoStore(sandbox.store());
    const std::string before = DumpUndoStore(sandbox.store());
    const std::string file = sandbox.File("restore.txt");
    testing_support::WriteBytes(file, platform::Utf8ToAnsi(c.lines));

    const CommandRun restore = sandbox.Run({"restore", file});
    ASSERT_EQ(restore.exitStatus, 0) << restore.err;
    const std::string restored = DumpUndoStore(sandbox.store());
    EXPECT_NE(restored, before);
    const CommandRun undo = sandbox.Run({"undo"});
    EXPECT_EQ(undo.exitStatus, 0) << undo.err;
    EXPECT_EQ(DumpUndoStore(sandbox.store()), before);
    // The undo wrote its own undo file, the newest now: it takes the undo back.
    const CommandRun redo = sandbox.Run({"undo"});
    EXPECT_EQ(redo.exitStatus, 0) << redo.err;
    EXPECT_EQ(DumpUndoStore(sandbox.store()), restored);
    RemoveUndoStore(sandbox.store());
  }
}

TEST(CommandLineUndo, TheListShowsTheNewestFirstAndOnlyTheNewestTwentyRemain) {
  CommandSandbox sandbox;
  const std::string file = sandbox.File("restore.txt");
  for (int run = 1; run <= 22; ++run) {
    testing_support::WriteBytes(
        file, std::string(kUndoApplication) + ",Runs,Count," + std::to_string(run) + "\r\n");
    ASSERT_EQ(sandbox.Run({"restore", file}).exitStatus, 0) << run;
  }
  const CommandRun list = sandbox.Run({"undo", "--list"});
  EXPECT_EQ(list.exitStatus, 0) << list.err;
  std::istringstream lines(list.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 20u) << list.out;
  // The newest takes back run 22, which replaced the 21 of run 21: one value.
  EXPECT_NE(rows.front().find("\t" + file + "\t1 values"), std::string::npos) << rows.front();
  ASSERT_EQ(sandbox.Run({"undo"}).exitStatus, 0);
  std::unique_ptr<platform::SettingsKey> runs;
  ASSERT_EQ(sandbox.store().OpenCurrentUserKey(UnderSettings(std::string(kUndoApplication) + "\\Runs"), runs),
            platform::kSuccess);
  std::string dump;
  DumpKey(*runs, "Runs", dump);
  EXPECT_EQ(dump, "[Runs]\nCount 1: 50 49 0\n");
  RemoveUndoStore(sandbox.store());
}

}  // namespace
}  // namespace cli_tests
