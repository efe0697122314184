// Restoring a snapshot file into the settings store. The whole file is checked before
// anything is written, and then written as one batch: a bad line changes nothing, and
// no unrelated setting is ever deleted on the way.
#include "common/trap.h"
#include "common/user_interface.h"
#include "snapshot/bmregistry.h"
#include "snapshot/setting_line.h"
#include "snapshot/settings_root.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {

bool LoadRegistry(std::string_view path, platform::SettingsStore& store) {
  bool result = false;
  common::TrapShow("bmRegistry_LoadRegistry", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    platform::Status status;
    {
      common::BusyPointer busy;
      status = store.RestoreSettings(ReadSettingWrites(*file, "Nothing was restored."));
    }
    if (status != platform::kSuccess) {
      RaiseStoreFailure(status, "refused the restore", store.LastFailureDescription());
    }
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
