#include "snapshot/restore_plan.h"

#include <unordered_map>

#include "platform/reg_tree.h"
#include "snapshot/bmregistry.h"

namespace bmRegistry {
namespace {

constexpr std::size_t kNotNamed = static_cast<std::size_t>(-1);

// One value name of a key: what the store holds, and which of the file's settings names it.
struct NameState {
  std::optional<HeldValue> held;
  std::size_t setting = kNotNamed;
};
// A key's value names, folded: the store matches names ignoring case.
using KeyNames = std::unordered_map<std::string, NameState>;

// Every value of the key at `keyPath` below the settings root; none when it is missing.
KeyNames ReadKeyValues(StoreKeys& keys, const std::string& keyPath) {
  StoreKeys::Key& key = keys.At(std::string(platform::kSettingsRoot) + keyPath);
  const std::vector<StoredValue>& values = keys.ValuesOf(key);
  KeyNames names;
  names.reserve(values.size());
  for (const auto& [folded, index] : key.index) {
    names[folded].held = HeldValue{values[index].type, values[index].bytes};
  }
  return names;
}

}  // namespace

bool LeavesAsItIs(std::string_view bytes, std::string_view data) {
  std::size_t matched = 0;
  for (const char byte : bytes) {
    if (byte == '\0') continue;
    if (matched == data.size() || data[matched] != byte) return false;
    ++matched;
  }
  return matched == data.size();
}

RestorePlan PlanRestore(const std::vector<platform::SettingWrite>& writes, StoreKeys& keys) {
  RestorePlan plan;
  plan.settingOf.reserve(writes.size());
  // Each key is read once; a file lists a key's settings together, so the key of the
  // previous line is looked up only when the line names another.
  std::unordered_map<std::string, KeyNames> keyNames;
  KeyNames* names = nullptr;
  std::string keyPath, previousKeyPath;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const platform::SettingWrite& write = writes[i];
    keyPath = write.application + "\\" + write.section;
    if (names == nullptr || keyPath != previousKeyPath) {
      auto [key, added] = keyNames.try_emplace(platform::reg::FoldName(keyPath));
      if (added) key->second = ReadKeyValues(keys, keyPath);
      names = &key->second;
      previousKeyPath = keyPath;
    }
    NameState& state = (*names)[platform::reg::FoldName(write.key)];
    if (state.setting == kNotNamed) {
      state.setting = plan.settings.size();
      plan.settings.push_back({std::move(state.held), i, i});
    }
    plan.settingOf.push_back(state.setting);
    plan.settings[state.setting].last = i;
  }
  for (PlannedSetting& setting : plan.settings) {
    setting.leftAsItIs = setting.held && LeavesAsItIs(setting.held->bytes, writes[setting.last].text);
  }
  return plan;
}

std::vector<platform::SettingWrite> ChangingWrites(std::vector<platform::SettingWrite> writes,
                                                   const RestorePlan& plan) {
  std::vector<platform::SettingWrite> changing;
  changing.reserve(writes.size());
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (!plan.settings[plan.settingOf[i]].leftAsItIs) changing.push_back(std::move(writes[i]));
  }
  return changing;
}

}  // namespace bmRegistry
