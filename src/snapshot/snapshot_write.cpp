// Saving the settings store as a snapshot file.
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/atomic_file.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"
#include "snapshot/restore_check.h"
#include "snapshot/settings_root.h"

namespace bmRegistry {

bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store,
                         RestoreShortfall* shortfall) {
  bool result = false;
  common::TrapLog("bmRegistry_GetCurrentKeyToFile", [&] {
    common::BusyPointer busy;
    // The store is read whole before the file is touched: an empty or missing store
    // leaves an earlier snapshot as it was.
    const auto root = OpenSettingsRootShown(store, "bmRegistry_GetCurrentKeyToFile");
    if (!root) return;
    std::vector<StoredValue> values;
    WalkValues(*root, "", [&](const StoredValue& value) { values.push_back(value); });
    if (values.empty()) return;
    // The new snapshot replaces the old one only once it is complete on disk, so a
    // failed save keeps the previous snapshot.
    platform::AtomicFileWriter file(path);
    RestoreCheck check;
    std::string line;
    for (const StoredValue& value : values) {
      line = JoinCells(MakeRecord(value), ',');
      check.Add(value, line);
      line += "\r\n";
      file.Write(line);
    }
    file.Commit();
    if (shortfall != nullptr) *shortfall = check.Result();
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
