// What only a file system that tells case apart, or a posix resource limit, can show.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class SnapshotPosix : public SnapshotTest {};

TEST_F(SnapshotPosix, AFailedSaveKeepsThePreviousSnapshot) {
  const std::string snapshot = dir.file("Reg_PC.TXT");
  WriteBytes(snapshot, "App,Sec,k,previous\r\n");
  Save("App", "Sec", "k", std::string(100000, 'x'));

  // Files may grow to 4 KiB only, even for root: the new snapshot cannot be written.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = bmRegistry::GetCurrentKeyToFile(snapshot, *store);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(snapshot), "App,Sec,k,previous\r\n");
  EXPECT_TRUE(ui.boxes().empty());  // logged only
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with("Reg_PC.TXT."))
        << "temporary file left behind: " << entry.path();
  }
}

TEST_F(SnapshotPosix, TwoNamesDifferingOnlyInCaseAreNotGuessedBetween) {
  WriteBytes(dir.file("Reg_PC.TXT"), "A,S,k,upper\r\n");
  WriteBytes(dir.file("Reg_PC.txt"), "A,S,k,lower\r\n");
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, dir.file("Reg_PC.txt")));
  EXPECT_EQ(fgList.DataRows(), (Rows{{"A", "S", "k", "lower"}}));
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistryToFG(fgList, dir.file("REG_PC.txt")));
  EXPECT_EQ(ui.boxes()[0].text, "File Not Found:" + dir.file("REG_PC.txt"));
}

TEST_F(SnapshotPosix, ARestoreIntoADamagedStoreSaysWhyAndChangesNothing) {
  Save("App", "Sec", "k", "v");
  const std::string storeFile = dir.file("config/vb-registry/HKEY_CURRENT_USER.reg");
  ASSERT_TRUE(std::filesystem::exists(storeFile));
  WriteBytes(storeFile, "not a settings file\r\n");
  const std::string snapshot = dir.file("Reg_PC.TXT");
  WriteBytes(snapshot, "App,Sec,k,new\r\n");
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistry(snapshot, *store));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].text.find("(status 1009): "), std::string::npos) << ui.boxes()[0].text;
  EXPECT_NE(ui.boxes()[0].text.find("HKEY_CURRENT_USER.reg"), std::string::npos);
  EXPECT_EQ(ReadBytes(storeFile), "not a settings file\r\n");
}

}  // namespace
}  // namespace snapshot_tests
