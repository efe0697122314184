#include "snapshot/store_keys.h"

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
  key.index.reserve(key.values.size());
  for (std::size_t i = 0; i < key.values.size(); ++i) {
    key.index[platform::reg::FoldName(key.values[i].name)] = i;
  }
  return key.values;
}

}  // namespace bmRegistry
