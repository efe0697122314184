// The command line as a process on each backend: wrong use, and save, diff and restore
// of one snapshot file on the platform's real store (under Wine, the prefix's registry).
#include <gtest/gtest.h>

#include "command_run.h"
#include "platform/ansi_codepage.h"

namespace cli_tests {
namespace {

// Settings of an application no one else has; the store may hold others (under Wine it
// is the prefix's own registry), and they must come through unchanged.
constexpr const char* kApplication = "RegTool command line test";

class CommandLine : public testing::Test {
 protected:
  void Seed(const char* section, const char* key, const std::string& text) {
    ASSERT_EQ(sandbox_.store().SaveSetting(kApplication, section, key, text), platform::kSuccess);
  }
  void TearDown() override {
    for (const char* key : {"Left", "Title"})
      sandbox_.store().DeleteSetting(kApplication, "Window", key);
    sandbox_.store().DeleteSetting(kApplication, "Paths", "Data");
  }

  CommandSandbox sandbox_;
};

TEST_F(CommandLine, WrongUseExitsWithTwoNamingTheCommandAndShowingTheUsage) {
  const CommandRun help = sandbox_.Run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("regtool set-server NAME"), std::string::npos) << help.out;
  const CommandRun version = sandbox_.Run({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out.rfind("RegTool ", 0), 0u) << version.out;

  struct Case {
    std::vector<std::string> arguments;
    std::string complaint;
    bool aboutTheWords = true;  // else the window's own refusal, without the usage
  };
  for (const Case& c : std::vector<Case>{{{"frobnicate"}, "unknown command \"frobnicate\""},
                                         {{"--yes"}, "no command given"},
                                         {{"restore"}, "restore takes FILE"},
                                         {{"--yes", "show", "a", "b"}, "show takes FILE"},
                                         {{"set-server"}, "set-server takes NAME"},
                                         {{"set-server", ""}, "請設定電腦名稱", false},
                                         {{"set-server", " "}, "請設定電腦名稱", false}}) {
    const CommandRun run = sandbox_.Run(c.arguments);
    EXPECT_EQ(run.exitStatus, 2) << c.complaint;
    const std::string line =
        c.aboutTheWords ? "regtool: " + c.complaint : platform::Utf8ToConsole(c.complaint);
    EXPECT_NE(run.err.find(line + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Usage:\n") != std::string::npos, c.aboutTheWords) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;  // no item was set
  }
}

TEST_F(CommandLine, ASavedSnapshotDiffsCleanUntilTheStoreChangesAndItsRestoreMakesItCleanAgain) {
  Seed("Window", "Left", "120");
  Seed("Window", "Title", platform::Utf8ToAnsi("系統 設定"));
  Seed("Paths", "Data", "C:\\Data,old");
  const std::string file = sandbox_.File("snapshot.txt");

  const CommandRun save = sandbox_.Run({"save", file});
  ASSERT_EQ(save.exitStatus, 0) << save.err;
  EXPECT_TRUE(save.err.empty()) << save.err;
  const std::string bytes = testing_support::ReadBytes(file);
  // Walk order: sub-keys by upper-cased name, values as created; data with its comma.
  const std::string app = kApplication;
  EXPECT_NE(bytes.find(app + ",Paths,Data,C:\\Data,old\r\n" + app + ",Window,Left,120\r\n" + app +
                       ",Window,Title," + platform::Utf8ToAnsi("系統 設定") + "\r\n"),
            std::string::npos)
      << bytes;

  const CommandRun clean = sandbox_.Run({"diff", file});
  EXPECT_EQ(clean.exitStatus, 0) << clean.err;
  EXPECT_EQ(clean.out, "");

  Seed("Window", "Left", "240");
  ASSERT_EQ(sandbox_.store().DeleteSetting(kApplication, "Paths", "Data"), platform::kSuccess);
  const std::string expected =
      "+ " + app + "\\Paths\\Data = C:\\Data,old\n~ " + app + "\\Window\\Left: 240 -> 120\n";
  for (int run = 0; run < 2; ++run) {  // the second sees the store the first left
    const CommandRun changed = sandbox_.Run({"diff", file});
    EXPECT_EQ(changed.exitStatus, 1) << changed.err;
    EXPECT_EQ(changed.out, expected);
  }

  const CommandRun restore = sandbox_.Run({"restore", file});
  EXPECT_EQ(restore.exitStatus, 0) << restore.err;
  EXPECT_TRUE(restore.err.empty()) << restore.err;
  const CommandRun restored = sandbox_.Run({"diff", file});
  EXPECT_EQ(restored.exitStatus, 0) << restored.err;
  EXPECT_EQ(restored.out, "");
}

}  // namespace
}  // namespace cli_tests
