#pragma once
// The keys of the store that a restore looks at, each opened and its values read once:
// the restore's plan and the plan of its undo file read the same keys, and a second
// read would cost as much as the first. The values refer to the store's own memory
// where it keeps them (see SettingsKey::ViewValues), else to copies kept here.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/bmregistry.h"

namespace bmRegistry {

class StoreKeys {
 public:
  struct Key {
    std::unique_ptr<platform::SettingsKey> key;  // null: the key does not exist now
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The place in `values` of the value whose folded name is `folded`; kNone when the
    // key holds none (or its values are not read yet).
    std::size_t Find(std::string_view folded) const;

    bool valuesRead = false;
    std::vector<platform::ValueView> values;  // in enumeration order
    // (folded name, place in `values`) sorted by name: a map of its own for each of
    // 100 000 values would take more memory than the values' views.
    std::vector<std::pair<std::string_view, std::size_t>> byFoldedName;
  };

  // Opens HKEY_CURRENT_USER; a store that cannot be read raises its failure.
  explicit StoreKeys(platform::SettingsStore& store);

  // The key at `path` below HKEY_CURRENT_USER as it is now, opened once.
  Key& At(const std::string& path);
  // The key's values as they are now, read once; a failure to read one raises. They live
  // as long as this object.
  const std::vector<platform::ValueView>& ValuesOf(Key& key);

  [[noreturn]] void RaiseFailure(platform::Status status) const;

 private:
  platform::SettingsStore& store_;
  std::unique_ptr<platform::SettingsKey> currentUser_;
  std::unordered_map<std::string, Key> keys_;  // by folded path
  platform::KeptTexts copies_;  // of the values the store does not keep, and folded names
};

}  // namespace bmRegistry
