#include "snapshot_fixture.h"

namespace snapshot_tests {

std::string UnderRoot(std::string_view below) {
  std::string path(platform::kSettingsRoot);
  if (below.empty()) path.pop_back();  // the root without its trailing "\"
  return path + std::string(below);
}

void SetUpAsFgList(controls::MemoryGrid& grid) {
  grid.SetCols(4);
  grid.SetFormatString("Key1|Key2|Key3|Value");
  grid.SetRows(1);
}

SnapshotTest::SnapshotTest() : store(FreshSettingsStore(dir)) {
  SetUpAsFgList(fgList);
}

void SnapshotTest::Save(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view text) {
  ASSERT_EQ(store->SaveSetting(application, section, key, text), platform::kSuccess);
}

void SnapshotTest::SetValue(std::string_view below, std::string_view name, std::uint32_t type,
                            std::string_view bytes) {
  ASSERT_EQ(store->CreateCurrentUserKey(UnderRoot(below)), platform::kSuccess);
  ASSERT_EQ(store->SetCurrentUserValue(UnderRoot(below), name, type, bytes), platform::kSuccess);
}

void SnapshotTest::CreateEmptyRoot() {
  ASSERT_EQ(store->CreateCurrentUserKey(UnderRoot("")), platform::kSuccess);
}

Rows SnapshotTest::Records() {
  return bmRegistry::ReadAllSettings(*store).value_or(Rows{});
}

Rows SnapshotTest::ShownFromStore() {
  controls::MemoryGrid grid;
  SetUpAsFgList(grid);
  EXPECT_TRUE(bmRegistry::GetCurrentKey(grid, *store));
  return grid.DataRows();
}

}  // namespace snapshot_tests
