// Comparing a snapshot file with the settings store: what its restore would add or
// change, found without writing anything.
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/reg_file.h"
#include "snapshot/bmregistry.h"
#include "snapshot/restore_plan.h"
#include "snapshot/setting_line.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {
namespace {

// A string whose text ends at its one NUL: the restore stores the same kind of value.
bool IsPlainString(const platform::ValueView& value) {
  return value.type == platform::kTypeString && !value.bytes.empty() &&
         value.bytes.find('\0') == value.bytes.size() - 1;
}

}  // namespace

std::optional<std::vector<SettingChange>> CompareWithStore(std::string_view path,
                                                           platform::SettingsStore& store) {
  std::optional<std::vector<SettingChange>> result;
  common::TrapShow("bmRegistry_CompareWithStore", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    common::BusyPointer busy;
    const std::vector<platform::SettingWrite> writes =
        ReadSettingWrites(*file, "Nothing was compared.");
    StoreKeys keys(store);
    const RestorePlan plan = PlanRestore(writes, keys);
    std::vector<SettingChange> changes;
    for (const PlannedSetting& setting : plan.settings) {
      if (setting.leftAsItIs) continue;
      const platform::SettingWrite& first = writes[setting.first];
      SettingChange& change = changes.emplace_back();
      change.path = first.application + "\\" + first.section + "\\" + first.key;
      change.newData = writes[setting.last].text;
      if (!setting.held) continue;
      const platform::ValueView& held = *setting.held;
      change.replacesType = !IsPlainString(held);
      change.oldData = change.replacesType ? platform::reg::FormatValueData(held.type, held.bytes)
                                           : std::string(held.bytes.substr(0, held.bytes.size() - 1));
    }
    result = std::move(changes);
  });
  return result;
}

}  // namespace bmRegistry
