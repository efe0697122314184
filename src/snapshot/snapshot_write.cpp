// Saving the settings store as a snapshot file.
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/atomic_file.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"

namespace bmRegistry {

bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store) {
  bool result = false;
  common::TrapLog("bmRegistry_GetCurrentKeyToFile", [&] {
    common::BusyPointer busy;
    // The store is read whole before the file is touched: an empty or missing store
    // leaves an earlier snapshot as it was.
    const auto records = ReadAllSettingsShown(store, "bmRegistry_GetCurrentKeyToFile");
    if (!records || records->empty()) return;
    // The new snapshot replaces the old one only once it is complete on disk, so a
    // failed save keeps the previous snapshot.
    platform::AtomicFileWriter file(path);
    std::string line;
    for (const Record& record : *records) {
      line = JoinCells(record, ',');
      line += "\r\n";
      file.Write(line);
    }
    file.Commit();
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
