// Restoring a snapshot file into the settings store. The whole file is checked before
// anything is written, and then written as one batch: a bad line changes nothing, and
// no unrelated setting is ever deleted on the way.
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "snapshot/bmregistry.h"
#include "snapshot/setting_writes.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {
namespace {

// The store's own words, where it has them, say what to repair (a damaged file names
// its line).
[[noreturn]] void RaiseRefusedRestore(platform::Status status, std::string_view why) {
  std::int32_t number = common::err::kInvalidArgument;
  if (status == platform::kAccessDenied) number = common::err::kPermissionDenied;
  if (status == platform::kStoreCorrupt || status == platform::kStoreIoFailed) {
    number = common::err::kDeviceIo;
  }
  std::string description =
      "The settings store refused the restore (status " + std::to_string(status) + ")";
  if (!why.empty()) description += ": " + platform::AnsiToUtf8(why);
  common::Raise(number, description + ".");
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
      status = store.RestoreSettings(ReadSettingWrites(*file, "Nothing was restored."));
    }
    if (status != platform::kSuccess) RaiseRefusedRestore(status, store.LastFailureDescription());
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
