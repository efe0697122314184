// Restoring a snapshot file into the settings store. The whole file is checked before
// anything is written, and then written as one batch: a bad line changes nothing, and
// no unrelated setting is ever deleted on the way.
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "snapshot/bmregistry.h"
#include "snapshot/setting_line.h"
#include "snapshot/settings_root.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {
namespace {

[[noreturn]] void RaiseBadLine(std::size_t lineNumber, std::string_view problem) {
  common::Raise(common::err::kSubscriptOutOfRange,
                "Line " + std::to_string(lineNumber) + " of the snapshot " + std::string(problem) +
                    "; a setting needs application,section,key,data. Nothing was restored.");
}

}  // namespace

bool LoadRegistry(std::string_view path, platform::SettingsStore& store) {
  bool result = false;
  common::TrapShow("bmRegistry_LoadRegistry", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    platform::Status status;
    {
      common::BusyPointer busy;
      std::vector<platform::SettingWrite> writes;
      SnapshotLineReader reader(*file);
      std::string line;
      while (reader.Next(line)) {
        platform::SettingWrite& write = writes.emplace_back();
        const std::string problem = ParseSettingLine(line, write);
        if (!problem.empty()) RaiseBadLine(reader.LineNumber(), problem);
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
