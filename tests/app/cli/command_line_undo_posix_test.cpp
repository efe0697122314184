// The command line when no undo file can be written: trouble before any work; and a
// store holding bytes that are no text of the code page, which only the ANSI form of
// an undo file can give back.
#include <gtest/gtest.h>

#include <filesystem>

#include "command_run.h"
#include "undo_check.h"

namespace cli_tests {
namespace {

TEST(CommandLineUndoRefused, ARestoreOrUndoWithoutAnUndoFileExitsTwoAndChangesNothing) {
  CommandSandbox sandbox;
  SeedUndoStore(sandbox.store());
  const std::string file = sandbox.File("restore.txt");
  testing_support::WriteBytes(file, std::string(kUndoApplication) + ",Window,Left,2\r\n");
  ASSERT_EQ(sandbox.Run({"restore", file}).exitStatus, 0);
  // The undo folder's place taken by a file.
  std::filesystem::rename(sandbox.File("state"), sandbox.File("kept"));
  testing_support::WriteBytes(sandbox.File("state"), "");
  const auto undoFile =
      std::filesystem::directory_iterator(sandbox.File("kept/regtool/undo"))->path().string();
  testing_support::WriteBytes(file, std::string(kUndoApplication) + ",Window,Left,3\r\n");
  const std::string before = DumpUndoStore(sandbox.store());

  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"restore", file}, {"undo", undoFile}}) {
    SCOPED_TRACE(command[0]);
    const CommandRun run = sandbox.Run(command);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("No undo file could be written in the folder " +
                           sandbox.File("state/regtool/undo")),
              std::string::npos)
        << run.err;
    EXPECT_EQ(DumpUndoStore(sandbox.store()), before);
  }
}

TEST(CommandLineUndo, BytesThatAreNoTextComeBackThroughAnAnsiUndoFile) {
  CommandSandbox sandbox;
  SeedUndoStore(sandbox.store());
  const std::string window = UnderSettings(std::string(kUndoApplication) + "\\Window");
  ASSERT_EQ(sandbox.store().SetCurrentUserValue(window, "Odd", platform::kTypeString,
                                                std::string("\xff\xfe", 3)),
            platform::kSuccess);
  const std::string before = DumpUndoStore(sandbox.store());
  // Values added first: their deletions fill more than the part of the undo file that is
  // written before the odd value turns up.
  std::string lines;
  for (int i = 0; i < 5000; ++i) {
    lines += std::string(kUndoApplication) + ",Window,added" + std::to_string(i) + ",v\r\n";
  }
  lines += std::string(kUndoApplication) + ",Window,Odd,text\r\n";
  const std::string file = sandbox.File("restore.txt");
  testing_support::WriteBytes(file, lines);

  ASSERT_EQ(sandbox.Run({"restore", file}).exitStatus, 0);
  const auto undoFile =
      std::filesystem::directory_iterator(sandbox.File("state/regtool/undo"))->path();
  EXPECT_EQ(testing_support::ReadBytes(undoFile).rfind("REGEDIT4\r\n", 0), 0u);
  EXPECT_EQ(sandbox.Run({"undo"}).exitStatus, 0);
  EXPECT_EQ(DumpUndoStore(sandbox.store()), before);
}

}  // namespace
}  // namespace cli_tests
