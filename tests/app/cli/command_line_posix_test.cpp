// The command line's failures and questions, on a store of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

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
  EXPECT_EQ(ReadBytes(file), "Old,Sec,Key,a|b,c\r\nOld,Sec,Other,x\r\n");

  EXPECT_EQ(declined.err, file + ": 該文字檔已存在，要覆蓋嗎? No (--yes answers Yes)\n");
  const CommandRun accepted = sandbox_.Run({"save", "--yes", file});
  EXPECT_EQ(accepted.exitStatus, 0) << accepted.err;
  EXPECT_EQ(ReadBytes(file), "App,Window,Left,1\r\nApp,Window,Top,1\r\n");
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

namespace fs = std::filesystem;

// The save replaces only a file: through a link (which stays), never in place of a
// FIFO, a device or a folder; a name is the caller's own, so a file that differs only
// in case is another file. A failure names the file and the reason after the window's
// text.
TEST_F(CommandLineFailures, TheSaveWritesThroughALinkAndRefusesWhatIsNoFile) {
  const std::string snapshot = "App,Window,Left,1\r\nApp,Window,Top,1\r\n";
  const std::string real = sandbox_.File("real.txt");
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    int status;
    std::function<void(const std::string&, const CommandRun&)> check;
  };
  const auto refused = [](fs::file_type type) {
    return [type](const std::string& target, const CommandRun& run) {
      EXPECT_EQ(run.err, "regtool: " + target + ": not a file (a FIFO, a device or a socket)\n");
      EXPECT_EQ(fs::symlink_status(target).type(), type);
    };
  };
  const Case cases[] = {
      {"fifo", [](const std::string& t) { ASSERT_EQ(::mkfifo(t.c_str(), 0600), 0); }, 2,
       refused(fs::file_type::fifo)},
      {"device",
       [](const std::string& t) {
         if (::geteuid() != 0) GTEST_SKIP() << "a device node needs root";
         ASSERT_EQ(::mknod(t.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
       },
       2, refused(fs::file_type::character)},
      {"folder", [](const std::string& t) { fs::create_directory(t); }, 2,
       [](const std::string& target, const CommandRun& run) {
         EXPECT_EQ(run.err, "regtool: " + target + ": a folder, not a file\n");
         EXPECT_TRUE(fs::is_directory(target));
       }},
      {"link", [&](const std::string& t) { WriteBytes(real, "old"); fs::create_symlink(real, t); },
       0,
       [&](const std::string& target, const CommandRun&) {
         EXPECT_TRUE(fs::is_symlink(target));
         EXPECT_EQ(ReadBytes(real), snapshot);
       }},
      {"dangling link", [&](const std::string& t) { fs::create_symlink(real, t); }, 0,
       [&](const std::string& target, const CommandRun&) {
         EXPECT_TRUE(fs::is_symlink(target));
         EXPECT_EQ(ReadBytes(real), snapshot);
       }},
      {"NOTES.TXT", [&](const std::string&) { WriteBytes(sandbox_.File("notes.txt"), "keep"); }, 0,
       [&](const std::string& target, const CommandRun&) {
         EXPECT_EQ(ReadBytes(sandbox_.File("notes.txt")), "keep");
         EXPECT_EQ(ReadBytes(target), snapshot);
       }},
      {"no folder/new.txt", [](const std::string&) {}, 1,
       [](const std::string& target, const CommandRun& run) {
         EXPECT_EQ(run.err, "存檔失敗\nregtool: " + target + ": No such file or directory\n");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = sandbox_.File(c.name);
    c.make(target);
    if (IsSkipped()) continue;
    const CommandRun run = sandbox_.Run({"save", "--yes", target});
    EXPECT_EQ(run.exitStatus, c.status) << run.err;
    c.check(target, run);
    fs::remove(target);
    fs::remove(real);
  }
}

// Output that does not arrive is no success, and a lost diff is no "something would
// change": a full disk or a closed standard output is trouble, exit 2.
TEST_F(CommandLineFailures, AnOutputThatCannotBeWrittenIsTroubleWhateverTheCommand) {
  const std::string file = sandbox_.File("snapshot.txt");
  WriteBytes(file, "App,Window,Left,2\r\n");
  for (const std::string device : {"/dev/full", ""}) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"show", file}, {"diff", file}, {"--help"}}) {
      const CommandRun run = sandbox_.RunWithOutputOn(arguments, device);
      EXPECT_EQ(run.exitStatus, 2) << arguments[0] << " > " << device;
      EXPECT_EQ(run.err, "regtool: cannot write to standard output; what the command printed is "
                         "lost\n");
    }
  }
}

}  // namespace
}  // namespace cli_tests
