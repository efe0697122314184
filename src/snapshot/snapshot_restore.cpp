// Restoring a snapshot file into the settings store. The whole file is checked before
// anything is written, and then written as one batch: a bad line changes nothing, and
// no unrelated setting is ever deleted on the way. Just before the batch is applied its
// exact inverse goes to an undo file; when that cannot be written nothing is restored.
#include "common/trap.h"
#include "common/user_interface.h"
#include "snapshot/bmregistry.h"
#include "snapshot/restore_plan.h"
#include "snapshot/setting_line.h"
#include "snapshot/settings_root.h"
#include "snapshot/snapshot_lines.h"
#include "snapshot/undo_file.h"

namespace bmRegistry {

bool LoadRegistry(std::string_view path, platform::SettingsStore& store, bool* undoRefused) {
  bool result = false;
  common::TrapShow("bmRegistry_LoadRegistry", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    platform::Status status;
    {
      common::BusyPointer busy;
      std::vector<platform::SettingWrite> writes =
          ReadSettingWrites(*file, "Nothing was restored.");
      // No other process of the tool changes the store between what the undo file reads and
      // the batch.
      const auto hold = HoldForBatch(store);
      {
        // The undo file's plan reads the keys the restore's plan has read already.
        StoreKeys keys(store);
        {
          // Gone before the undo file's plan takes as much memory again.
          const RestorePlan plan = PlanRestore(writes, keys);
          writes = ChangingWrites(std::move(writes), plan);
        }
        WriteUndoFile(keys, ChangesOf(writes).list, ValueWrites::kDeleteThenSave, *file,
                      undoRefused);
      }
      status = store.RestoreSettings(writes);
    }
    if (status != platform::kSuccess) {
      RaiseStoreFailure(status, "refused the restore", store.LastFailureDescription());
    }
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
