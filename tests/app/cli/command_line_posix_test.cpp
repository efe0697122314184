// The command line's failures and questions, on a store of the test's own.
#include <gtest/gtest.h>

#include "command_run.h"
#include "snapshot/bmregistry.h"

namespace cli_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class CommandLineFailures : public testing::Test {
 protected:
  CommandLineFailures() {
    for (const char* key : {"Left", "Top"}) {
      EXPECT_EQ(sandbox_.store().SaveSetting("App", "Window", key, "1"), platform::kSuccess);
    }
  }
  std::vector<bmRegistry::Record> Settings() {
    return bmRegistry::ReadAllSettings(sandbox_.store())
        .value_or(std::vector<bmRegistry::Record>{});
  }

  CommandSandbox sandbox_;
};

TEST_F(CommandLineFailures, ARestoreWithABadLineSaysWhichLineExitsOneAndChangesNothing) {
  const std::string file = sandbox_.File("bad.txt");
  WriteBytes(file, "App,Window,Left,2\r\nApp,Window,New,3\r\nApp,Window\r\nApp,Window,Top,4\r\n");
  const auto before = Settings();

  const CommandRun restore = sandbox_.Run({"restore", file});
  EXPECT_EQ(restore.exitStatus, 1);
  EXPECT_NE(restore.err.find("Line 3 of the snapshot has 2 fields"), std::string::npos)
      << restore.err;
  EXPECT_NE(restore.err.find("復原Registry失敗\n"), std::string::npos) << restore.err;
  EXPECT_EQ(Settings(), before);

  // The comparison reads the file as the restore does; without an answer it is no "1".
  const CommandRun diff = sandbox_.Run({"diff", file});
  EXPECT_EQ(diff.exitStatus, 2);
  EXPECT_NE(diff.err.find("Line 3 of the snapshot"), std::string::npos) << diff.err;
  EXPECT_EQ(diff.out, "");
}

TEST_F(CommandLineFailures, AnExistingFileIsKeptUnlessYesIsGivenAndShowPrintsItsRows) {
  const std::string file = sandbox_.File("old.txt");
  WriteBytes(file, "Old,Sec,Key,a|b,c\r\nOld,Sec,Other,x\r\n");

  const CommandRun show = sandbox_.Run({"show", file});
  EXPECT_EQ(show.exitStatus, 0) << show.err;
  // One line per row, one tab between cells: a row with a fifth cell widens the grid
  // for every row, as it does in the window.
  EXPECT_EQ(show.out, "Old\tSec\tKey\ta|b\tc\nOld\tSec\tOther\tx\t\n");

  const CommandRun declined = sandbox_.Run({"save", file});
  EXPECT_EQ(declined.exitStatus, 1);
  EXPECT_NE(declined.err.find("該文字檔已存在，要覆蓋嗎? No"), std::string::npos) << declined.err;
  EXPECT_EQ(ReadBytes(file), "Old,Sec,Key,a|b,c\r\nOld,Sec,Other,x\r\n");

  const CommandRun accepted = sandbox_.Run({"save", "--yes", file});
  EXPECT_EQ(accepted.exitStatus, 0) << accepted.err;
  EXPECT_EQ(ReadBytes(file), "App,Window,Left,1\r\nApp,Window,Top,1\r\n");

  const CommandRun missing = sandbox_.Run({"show", sandbox_.File("none.txt")});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_NE(missing.err.find("File Not Found:"), std::string::npos) << missing.err;
}

// The save's warning is the page's box, so the command line prints it; the comparison
// reads a file whose line ends became LF as the restore reads it.
TEST_F(CommandLineFailures, TheSaveTellsWhatItsFileCannotGiveBackAndDiffReadsAnLfOnlyFile) {
  ASSERT_EQ(sandbox_.store().SaveSetting("App", "Window", "a,b", "1"), platform::kSuccess);
  const std::string file = sandbox_.File("snapshot.txt");
  const CommandRun save = sandbox_.Run({"save", file});
  EXPECT_EQ(save.exitStatus, 0) << save.err;
  EXPECT_NE(save.err.find("已存檔，但有 1 項設定無法由此檔案原樣復原：\nApp\\Window\\a,b\n"),
            std::string::npos)
      << save.err;

  WriteBytes(file, "App,Window,Left,2\nApp,Window,Top,1\n");
  const CommandRun diff = sandbox_.Run({"diff", file});
  EXPECT_EQ(diff.exitStatus, 1) << diff.err;
  EXPECT_EQ(diff.out, "~ App\\Window\\Left: 1 -> 2\n");
}

}  // namespace
}  // namespace cli_tests
