// A store of a hundred thousand settings goes through every step; a step that grows
// quadratically with the number of settings would not finish here.
#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

class LargeStore : public SnapshotTest {};

TEST_F(LargeStore, AHundredThousandSettingsAreWalkedSavedShownAndRestored) {
  std::vector<platform::SettingWrite> writes;
  for (int app = 0; app < 10; ++app) {
    for (int section = 0; section < 100; ++section) {
      for (int key = 0; key < 100; ++key) {
        writes.push_back({"App" + std::to_string(app), "Section" + std::to_string(section),
                          "Key" + std::to_string(key), "value " + std::to_string(key)});
      }
    }
  }
  ASSERT_EQ(store->RestoreSettings(writes), platform::kSuccess);

  ASSERT_TRUE(bmRegistry::GetCurrentKey(fgList, *store));
  ASSERT_EQ(fgList.Rows(), 100001);
  const Rows fromStore = fgList.DataRows();

  const std::string snapshot = dir.file("Reg_BIG.TXT");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, snapshot));
  EXPECT_EQ(fgList.DataRows(), fromStore);

  testing_support::TempDir other;
  store = FreshSettingsStore(other);
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), fromStore);
  store.reset();
}

}  // namespace
}  // namespace snapshot_tests
