#pragma once
// What the snapshot tests share: a store of the test's own, seeded through the store's
// interface, the grid set up as the window sets up fgList, and the scripted boxes.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/bmregistry.h"
#include "controls/memory_grid.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace snapshot_tests {

// A settings store of the test's own, with no settings root yet. The one place that
// knows where a test's store lives.
std::unique_ptr<platform::SettingsStore> FreshSettingsStore(const testing_support::TempDir& dir);

// A key path below HKEY_CURRENT_USER inside the settings root ("" = the root itself).
std::string UnderRoot(std::string_view below);

using Rows = std::vector<std::vector<std::string>>;

// Four columns, Key1|Key2|Key3|Value, header only.
void SetUpAsFgList(controls::MemoryGrid& grid);

class SnapshotTest : public ::testing::Test {
 public:
  SnapshotTest();

  void Save(std::string_view application, std::string_view section, std::string_view key,
            std::string_view text);
  void SetValue(std::string_view below, std::string_view name, std::uint32_t type,
                std::string_view bytes);
  void CreateEmptyRoot();
  // The records of the whole store (none when there is no root).
  Rows Records();
  // What "讀取本機Registry" shows: the rows of a fresh grid filled by GetCurrentKey.
  Rows ShownFromStore();

  testing_support::ScriptedUi ui;  // first in, last out: every other member may report
  testing_support::TempDir dir;
  std::unique_ptr<platform::SettingsStore> store;
  controls::MemoryGrid fgList;
};

}  // namespace snapshot_tests
