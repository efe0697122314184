// The command line as a process on each backend: wrong use, and save, diff and restore
// of one snapshot file on the platform's real store (under Wine, the prefix's registry).
#include <gtest/gtest.h>

#include <filesystem>

#include "command_run.h"
#include "platform/ansi_codepage.h"
#include "platform/paths.h"
#include "snapshot/bmregistry.h"

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
  for (const Case& c :
       std::vector<Case>{{{"frobnicate"}, "unknown command \"frobnicate\""},
                         {{"--yes"}, "no command given"},
                         {{"restore"}, "restore takes FILE"},
                         {{"--yes", "show", "a", "b"}, "show takes FILE"},
                         {{"set-server"}, "set-server takes NAME"},
                         {{"set-server", ""}, "set-server takes NAME, not an empty word"},
                         {{"set-server", " "}, "請設定電腦名稱", false}}) {
    const CommandRun run = sandbox_.Run(c.arguments);
    EXPECT_EQ(run.exitStatus, 2) << c.complaint;
    const std::string line =
        c.aboutTheWords ? "regtool: " + c.complaint : AsRedirected(c.complaint);
    EXPECT_NE(run.err.find(line + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Usage:\n") != std::string::npos, c.aboutTheWords) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;  // no item was set
  }
}

// A word that looks like an option is never taken for a file to write or read, or for
// a server name to put in the INI files: every command refuses it before any work.
TEST_F(CommandLine, AnOptionLikeOperandIsWrongUseForEveryCommandAndTouchesNothing) {
  Seed("Window", "Left", "120");
  namespace fs = std::filesystem;
  const fs::path ini = platform::NativePath("C:\\VODureza\\VODureza.ini");
  const bool iniIsOurs = !fs::exists(ini.parent_path());
  fs::create_directories(ini.parent_path());
  const std::string iniBytes = "[DB]\r\nDBSource=server1\r\n";
  testing_support::WriteBytes(ini, iniBytes);
  const auto settings = bmRegistry::ReadAllSettings(sandbox_.store());

  for (const char* command : {"save", "show", "diff", "restore", "set-server"}) {
    for (const std::string operand : {"-x", "/?", "--frobnicate", "-"}) {
      const bool existed = fs::exists(operand);  // "/?" is a name a run may have left
      const CommandRun run = sandbox_.Run({command, operand});
      EXPECT_EQ(run.exitStatus, 2) << command << " " << operand;
      EXPECT_NE(run.err.find("regtool: unknown option \"" + operand + "\""), std::string::npos)
          << run.err;
      EXPECT_EQ(fs::exists(operand), existed) << command << " " << operand;
    }
    const CommandRun help = sandbox_.Run({command, "--help"});
    EXPECT_EQ(help.exitStatus, 0) << command;
    EXPECT_EQ(help.out.rfind("Usage:\n", 0), 0u) << help.out;
    EXPECT_FALSE(fs::exists("--help")) << command;
  }
  EXPECT_EQ(testing_support::ReadBytes(ini), iniBytes);
  EXPECT_EQ(bmRegistry::ReadAllSettings(sandbox_.store()), settings);
  if (iniIsOurs) fs::remove_all(ini.parent_path());
}

// A FILE that cannot be read is trouble before any work, whatever the command, and the
// message names it: a script can tell it from "failed" and from "something would change".
TEST_F(CommandLine, AMissingOrFolderFileIsTroubleBeforeAnyWorkForEveryCommand) {
  std::filesystem::create_directory(sandbox_.File("folder"));
  for (const char* command : {"show", "diff", "restore"}) {
    for (const std::string& file : {sandbox_.File("missing.txt"), sandbox_.File("folder")}) {
      const CommandRun run = sandbox_.Run({command, file});
      EXPECT_EQ(run.exitStatus, 2) << command << " " << file;
      EXPECT_EQ(run.err.rfind("regtool: " + file + ": ", 0), 0u) << run.err;
      EXPECT_EQ(run.out, "");
    }
  }
}

// Whatever a setting's data holds, show and diff give it one line, and no byte of it
// passes for another: a control character is never printed raw.
TEST_F(CommandLine, ShowAndDiffPrintOneReadableLinePerSettingWhateverTheDataHolds) {
  Seed("Window", "Title", "a\nb");
  const std::string file = sandbox_.File("odd.txt");
  const std::string app = kApplication;
  testing_support::WriteBytes(
      file, app + ",Window,Left,tab\there\r\n" + app + ",Window,Title,C:\\x\x01\ry\x7f\r\n");

  const CommandRun show = sandbox_.Run({"show", file});
  EXPECT_EQ(show.exitStatus, 0) << show.err;
  EXPECT_EQ(show.out, app + "\tWindow\tLeft\ttab\\there\n" + app +
                          "\tWindow\tTitle\tC:\\\\x\\x01\\ry\\x7f\n");

  const CommandRun diff = sandbox_.Run({"diff", file});
  EXPECT_EQ(diff.exitStatus, 1) << diff.err;
  EXPECT_EQ(diff.out, "+ " + app + "\\Window\\Left = tab\\there\n~ " + app +
                          "\\Window\\Title: a\\nb -> C:\\\\x\\x01\\ry\\x7f\n");
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
      "+ " + app + "\\Paths\\Data = C:\\\\Data,old\n~ " + app + "\\Window\\Left: 240 -> 120\n";
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
