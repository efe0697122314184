// What only a file system that tells case apart, or a posix resource limit, can show.

#include <filesystem>

#include "snapshot_fixture.h"
#include "support/file_size_limit_posix.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class SnapshotPosix : public SnapshotTest {};

TEST_F(SnapshotPosix, AFailedSaveKeepsThePreviousSnapshot) {
  const std::string snapshot = dir.file("Reg_PC.TXT");
  WriteBytes(snapshot, "App,Sec,k,previous\r\n");
  // First one value, whose write fails at the end; then a store whose text the save
  // hands to the file in several blocks while it walks many keys, so the write fails
  // half-way through the walk.
  for (const int sections : {0, 8}) {
    Save("App", "Sec", "k", std::string(100000, 'x'));
    for (int section = 0; section < sections; ++section) {
      for (const char* key : {"a", "b", "c"}) {
        Save("Big", "Sec" + std::to_string(section), key, std::string(100000, 'y'));
      }
    }
    bool written = true;
    {
      // Files may grow to 4 KiB only, even for root: the new snapshot cannot be written.
      const testing_support::FileSizeLimit small(4096);
      written = bmRegistry::GetCurrentKeyToFile(snapshot, *store);
    }
    EXPECT_FALSE(written) << sections;
    EXPECT_EQ(ReadBytes(snapshot), "App,Sec,k,previous\r\n");
    // Logged only: no box, as there would be from the walk's own trap.
    EXPECT_TRUE(ui.boxes().empty()) << sections;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_FALSE(entry.path().filename().string().starts_with("Reg_PC.TXT."))
          << "temporary file left behind: " << entry.path();
    }
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
