// Comparing a snapshot file with the settings store: what its restore would add or
// change, found without writing anything.
#include <memory>
#include <string>
#include <unordered_map>

#include "common/failure.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "platform/reg_tree.h"
#include "snapshot/bmregistry.h"
#include "snapshot/setting_writes.h"
#include "snapshot/snapshot_lines.h"
#include "snapshot/value_read.h"

namespace bmRegistry {
namespace {

struct StoredValue {
  std::uint32_t type = 0;
  std::string data;  // without NUL bytes
};
// A key's values by folded name: the store matches names ignoring case.
using KeyValues = std::unordered_map<std::string, StoredValue>;

// A key the store cannot open for another reason than its absence cannot be compared:
// taking it as empty would report every setting in it as one to add.
void RequireOpened(platform::Status status, const platform::SettingsStore& store) {
  if (status == platform::kSuccess || status == platform::kNotFound) return;
  std::string description =
      "The settings store cannot be read (status " + std::to_string(status) + ")";
  if (const std::string why = store.LastFailureDescription(); !why.empty()) {
    description += ": " + platform::AnsiToUtf8(why);
  }
  common::Raise(common::err::kDeviceIo, description + ". Nothing was compared.");
}

// Every value of the key at `keyPath` below the settings root; none when it is missing.
KeyValues ReadKeyValues(platform::SettingsKey* root, const std::string& keyPath,
                        const platform::SettingsStore& store) {
  KeyValues values;
  if (root == nullptr) return values;
  std::unique_ptr<platform::SettingsKey> key;
  const platform::Status status = root->OpenSubKey(keyPath, key);
  RequireOpened(status, store);
  if (status != platform::kSuccess) return values;
  std::string name;
  StoredValue value;
  for (std::uint32_t index = 0;
       ReadValue(*key, index, name, value.data, &value.type) == platform::kSuccess; ++index) {
    values.insert_or_assign(platform::reg::FoldName(name), value);
  }
  return values;
}

// The last write of each setting the file names, in the order of its first naming.
struct PlannedSetting {
  std::string keyPath;  // application\section
  std::string key;
  std::string data;
};

std::vector<PlannedSetting> LastWriteOfEachSetting(std::vector<platform::SettingWrite> writes) {
  std::vector<PlannedSetting> planned;
  std::unordered_map<std::string, std::size_t> slots;
  for (platform::SettingWrite& write : writes) {
    std::string keyPath = write.application + "\\" + write.section;
    const std::string folded = platform::reg::FoldName(keyPath + "\\" + write.key);
    const auto [slot, added] = slots.try_emplace(folded, planned.size());
    if (added) {
      planned.push_back({std::move(keyPath), std::move(write.key), std::move(write.text)});
    } else {
      planned[slot->second].data = std::move(write.text);
    }
  }
  return planned;
}

}  // namespace

std::optional<std::vector<SettingChange>> CompareWithStore(std::string_view path,
                                                           platform::SettingsStore& store) {
  std::optional<std::vector<SettingChange>> result;
  common::TrapShow("bmRegistry_CompareWithStore", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    common::BusyPointer busy;
    const std::vector<PlannedSetting> planned =
        LastWriteOfEachSetting(ReadSettingWrites(*file, "Nothing was compared."));
    std::unique_ptr<platform::SettingsKey> root;  // none: no settings yet, all to add
    RequireOpened(store.OpenCurrentUserKey(platform::kSettingsRoot, root), store);
    std::unordered_map<std::string, KeyValues> keys;  // by folded key path, read once each
    std::vector<SettingChange> changes;
    for (const PlannedSetting& setting : planned) {
      auto [key, added] = keys.try_emplace(platform::reg::FoldName(setting.keyPath));
      if (added) key->second = ReadKeyValues(root.get(), setting.keyPath, store);
      std::string settingPath = setting.keyPath + "\\" + setting.key;
      const auto stored = key->second.find(platform::reg::FoldName(setting.key));
      if (stored == key->second.end()) {
        changes.push_back({std::move(settingPath), std::nullopt, setting.data});
      } else if (stored->second.type != platform::kTypeString ||
                 stored->second.data != setting.data) {
        // A value of another type is replaced by a string even when its bytes read alike.
        changes.push_back({std::move(settingPath), stored->second.data, setting.data});
      }
    }
    result = std::move(changes);
  });
  return result;
}

}  // namespace bmRegistry
