// One seed, written into the store of each platform (the registry itself on Windows),
// walked, saved, restored and saved again: every run must produce the shared seed's
// records and the checked-in snapshot files byte for byte.
#include <filesystem>

#include "snapshot_fixture.h"
#include "support/seeded_settings.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;

std::string DataFile(std::string_view name) {
  return (std::filesystem::path(REGTOOL_TEST_DATA_DIR) / "snapshot" / name).string();
}

class RegistryRoundTrip : public SnapshotTest {
 protected:
  std::string snapshot = dir.file("Reg_PC.TXT");
};

TEST_F(RegistryRoundTrip, TheWalkGivesTheSameRecordsAndTheSameSnapshotFile) {
  testing_support::SeedSettings(*store);
  EXPECT_EQ(Records(), testing_support::SeededRecords());
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("seeded.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryRoundTrip, RestoringTheSnapshotGivesTheSameStoreAndTheSameSnapshotFile) {
  ASSERT_TRUE(bmRegistry::LoadRegistry(DataFile("seeded.txt"), *store));
  EXPECT_EQ(Records(), testing_support::RestoredRecords());
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("restored.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace snapshot_tests
