#pragma once
// What a restore of a snapshot file does to each setting the file names, found before
// anything is written. The comparison reports it and the restore applies it, so the two
// agree on which lines leave a value as it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/store_keys.h"

namespace bmRegistry {

// Whether a restore line with `data` leaves a stored value holding `bytes` as it is:
// the data is the text the save makes of the value, its bytes without NULs. The value's
// type does not matter: a plain string would get the same bytes again, and any other
// value (a dword, binary data, a string holding a NUL) keeps its type and bytes, so a
// save followed by a restore changes nothing.
bool LeavesAsItIs(std::string_view bytes, std::string_view data);

// One setting of the file, its name matched as the store matches names.
struct PlannedSetting {
  // The value as the store holds it, among the values of the plan's StoreKeys; none: the
  // restore adds it. Not a copy: a million settings would take their data again.
  const platform::ValueView* held = nullptr;
  std::size_t first = 0;          // the write that names it first: its spelling
  std::size_t last = 0;           // the write that names it last: what the restore leaves
  bool leftAsItIs = false;        // the restore does not touch it
};

struct RestorePlan {
  std::vector<PlannedSetting> settings;  // in the order the file first names each
  std::vector<std::size_t> settingOf;    // for each write, its setting
};

// The plan for `writes` (as ReadSettingWrites gives them) against what the store's
// `keys` hold; `keys` must outlive it. A store that cannot be read raises a failure:
// taken as empty, it would make every setting one to add.
RestorePlan PlanRestore(const std::vector<platform::SettingWrite>& writes, StoreKeys& keys);

// The writes of the settings the restore changes, in file order: a setting that the
// file names more than once keeps all its writes, so the last still wins.
std::vector<platform::SettingWrite> ChangingWrites(std::vector<platform::SettingWrite> writes,
                                                   const RestorePlan& plan);

}  // namespace bmRegistry
