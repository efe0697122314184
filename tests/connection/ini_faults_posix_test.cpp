// "修改系統參數檔" when the disk fills up while an INI file is rewritten: the file keeps
// every byte it had and the row says "修改失敗".
#include <gtest/gtest.h>

#include <filesystem>

#include "page_harness.h"
#include "support/file_size_limit_posix.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace connection_tests {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

TEST(ParameterFileFaults, ADiskThatFillsUpLeavesTheFileAsItWasAndTheRowSaysFailed) {
  testing_support::TempDir prefix;
  const testing_support::ScopedEnv wine("WINEPREFIX", prefix.path().string());
  fs::create_directories(prefix.path() / "drive_c" / "VODureza");
  fs::create_directories(prefix.path() / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices" / "c:");
  const fs::path ini = prefix.path() / "drive_c" / "VODureza" / "VODureza.ini";
  // Larger than the limit once rewritten, so the new file cannot be completed.
  const std::string before = "[PARAM]\r\nDBSource=OLD\r\n; " + std::string(5000, '-') + "\r\n";
  WriteBytes(ini, before);

  PageHarness h;
  h.txtComputerName = "SRV01";
  {
    const testing_support::FileSizeLimit limit(4096);
    h.page.cmdUpdINI_Click();
  }
  EXPECT_EQ(h.fgUpdLog.TextMatrix(3, 0), "VODureza.INI");
  EXPECT_EQ(h.fgUpdLog.TextMatrix(3, 1), "修改失敗");
  EXPECT_EQ(ReadBytes(ini), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(ini.parent_path()), fs::directory_iterator()), 1)
      << "a temporary file was left beside the INI file";
}

}  // namespace
}  // namespace connection_tests
