// Comparing a snapshot file with the settings store: what its restore would add or
// change, found without writing anything.
#include <memory>
#include <string>
#include <unordered_map>

#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/reg_tree.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"
#include "snapshot/setting_line.h"
#include "snapshot/settings_root.h"
#include "snapshot/snapshot_lines.h"
#include "snapshot/value_read.h"

namespace bmRegistry {
namespace {

// One value name of a key as the comparison knows it: what the store holds, and which
// of the file's settings writes it (the last write of a name is what the restore leaves).
struct NameState {
  std::optional<std::uint32_t> storedType;  // none: not in the store
  std::string storedData;                   // without NUL bytes
  std::size_t setting = kNotWritten;
  static constexpr std::size_t kNotWritten = static_cast<std::size_t>(-1);
};
// A key's value names, folded: the store matches names ignoring case.
using KeyNames = std::unordered_map<std::string, NameState>;

// Every value of the key at `keyPath` below the settings root; none when it is missing.
KeyNames ReadKeyValues(platform::SettingsKey* root, const std::string& keyPath,
                       const platform::SettingsStore& store) {
  KeyNames names;
  if (root == nullptr) return names;
  std::unique_ptr<platform::SettingsKey> key;
  const platform::Status status = root->OpenSubKey(keyPath, key);
  if (status == platform::kNotFound) return names;
  // A key that cannot be opened for another reason cannot be compared: taking it as
  // empty would report every setting in it as one to add.
  if (status != platform::kSuccess) {
    RaiseStoreFailure(status, "cannot be read", store.LastFailureDescription());
  }
  StoredValue value;
  for (std::uint32_t index = 0; ReadValue(*key, index, value) == platform::kSuccess; ++index) {
    NameState& state = names[platform::reg::FoldName(value.name)];
    state.storedType = value.type;
    state.storedData = WithoutNuls(value.bytes);
  }
  return names;
}

// The settings of the file, each name once, in the order of its first naming.
struct PlannedSetting {
  const NameState* state;
  const platform::SettingWrite* first;  // its spelling
  const platform::SettingWrite* last;   // its data
};

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
    // None: no settings yet, all to add.
    const std::unique_ptr<platform::SettingsKey> root = OpenSettingsRoot(store);
    // Each key is read once; a file lists a key's settings together, so the key of the
    // previous line is looked up only when the line names another.
    std::unordered_map<std::string, KeyNames> keys;
    KeyNames* names = nullptr;
    std::string keyPath, previousKeyPath;
    std::vector<PlannedSetting> planned;
    planned.reserve(writes.size());
    for (const platform::SettingWrite& write : writes) {
      keyPath = write.application + "\\" + write.section;
      if (names == nullptr || keyPath != previousKeyPath) {
        auto [key, added] = keys.try_emplace(platform::reg::FoldName(keyPath));
        if (added) key->second = ReadKeyValues(root.get(), keyPath, store);
        names = &key->second;
        previousKeyPath = keyPath;
      }
      NameState& state = (*names)[platform::reg::FoldName(write.key)];
      if (state.setting == NameState::kNotWritten) {
        state.setting = planned.size();
        planned.push_back({&state, &write, &write});
      } else {
        planned[state.setting].last = &write;
      }
    }
    std::vector<SettingChange> changes;
    for (const PlannedSetting& setting : planned) {
      const NameState& state = *setting.state;
      const std::string& data = setting.last->text;
      // A value of another type is replaced by a string even when its bytes read alike.
      if (state.storedType && *state.storedType == platform::kTypeString &&
          state.storedData == data) {
        continue;
      }
      const platform::SettingWrite& first = *setting.first;
      changes.push_back({first.application + "\\" + first.section + "\\" + first.key,
                         state.storedType ? std::optional(state.storedData) : std::nullopt, data});
    }
    result = std::move(changes);
  });
  return result;
}

}  // namespace bmRegistry
