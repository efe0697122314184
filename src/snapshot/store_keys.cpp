#include "snapshot/store_keys.h"

#include <algorithm>

#include "platform/reg_tree.h"
#include "snapshot/settings_root.h"
#include "snapshot/value_read.h"

namespace bmRegistry {

StoreKeys::StoreKeys(platform::SettingsStore& store) : store_(store) {
  if (const platform::Status status = store_.OpenCurrentUserKey("", currentUser_);
      status != platform::kSuccess) {
    RaiseFailure(status);
  }
}

void StoreKeys::RaiseFailure(platform::Status status) const {
  RaiseStoreFailure(status, "cannot be read", store_.LastFailureDescription());
}

StoreKeys::Key& StoreKeys::At(const std::string& path) {
  const auto [it, added] = keys_.try_emplace(platform::reg::FoldName(path));
  if (added) {
    // A key that cannot be opened for another reason than its absence cannot be
    // compared: taken for a missing one, every setting in it would be one to add.
    const platform::Status status = currentUser_->OpenSubKey(path, it->second.key);
    if (status != platform::kSuccess && status != platform::kNotFound) RaiseFailure(status);
  }
  return it->second;
}

const std::vector<platform::ValueView>& StoreKeys::ValuesOf(Key& key) {
  if (key.valuesRead || key.key == nullptr) return key.values;
  key.valuesRead = true;
  if (!key.key->ViewValues(key.values)) {
    StoredValue value;
    for (std::uint32_t index = 0;; ++index) {
      const platform::Status status = ReadValue(*key.key, index, value);
      if (status == platform::kNoMoreItems) break;
      if (status != platform::kSuccess) RaiseFailure(status);
      key.values.push_back({copies_.Keep(value.name), value.type, copies_.Keep(value.bytes)});
    }
  }
  key.byFoldedName.reserve(key.values.size());
  for (std::size_t i = 0; i < key.values.size(); ++i) {
    const std::string folded = platform::reg::FoldName(key.values[i].name);
    key.byFoldedName.emplace_back(folded == key.values[i].name ? key.values[i].name : copies_.Keep(folded), i);
  }
  std::stable_sort(key.byFoldedName.begin(), key.byFoldedName.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return key.values;
}

std::size_t StoreKeys::Key::Find(std::string_view folded) const {
  // Of names that fold alike (a store that matches names ignoring case holds one) the
  // last read is the one found.
  const auto after = std::upper_bound(
      byFoldedName.begin(), byFoldedName.end(), folded,
      [](std::string_view name, const auto& entry) { return name < entry.first; });
  if (after == byFoldedName.begin() || (after - 1)->first != folded) return kNone;
  return (after - 1)->second;
}

}  // namespace bmRegistry
