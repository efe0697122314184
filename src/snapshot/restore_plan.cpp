#include "snapshot/restore_plan.h"

#include <unordered_map>

#include "platform/reg_tree.h"
#include "snapshot/bmregistry.h"

namespace bmRegistry {
namespace {

constexpr std::size_t kNotNamed = static_cast<std::size_t>(-1);

// The settings of one key that the file names: those the store holds by their place in
// the key's values, found by folded name as the store matches names (ignoring case);
// the others by folded name.
struct KeySettings {
  const StoreKeys::Key* key = nullptr;
  std::vector<std::size_t> heldSettings;  // by place in `values`
  std::unordered_map<std::string, std::size_t> addedSettings;
};

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
  plan.settings.reserve(writes.size());
  // Each key is read once; a file lists a key's settings together, so the key of the
  // previous line is looked up only when the line names another.
  std::unordered_map<std::string, KeySettings> keySettings;  // by folded path
  KeySettings* settings = nullptr;
  std::string keyPath, previousKeyPath;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const platform::SettingWrite& write = writes[i];
    keyPath.assign(write.application).append("\\").append(write.section);
    if (settings == nullptr || keyPath != previousKeyPath) {
      auto [key, added] = keySettings.try_emplace(platform::reg::FoldName(keyPath));
      if (added) {
        StoreKeys::Key& stored = keys.At(std::string(platform::kSettingsRoot) + keyPath);
        key->second.heldSettings.assign(keys.ValuesOf(stored).size(), kNotNamed);
        key->second.key = &stored;
      }
      settings = &key->second;
      previousKeyPath = keyPath;
    }
    std::string folded = platform::reg::FoldName(write.key);
    std::size_t* setting = nullptr;
    const platform::ValueView* held = nullptr;
    if (const std::size_t found = settings->key->Find(folded); found != StoreKeys::Key::kNone) {
      setting = &settings->heldSettings[found];
      held = &settings->key->values[found];
    } else {
      setting = &settings->addedSettings.try_emplace(std::move(folded), kNotNamed).first->second;
    }
    if (*setting == kNotNamed) {
      *setting = plan.settings.size();
      plan.settings.push_back(PlannedSetting{held, i, i});
    }
    plan.settingOf.push_back(*setting);
    plan.settings[*setting].last = i;
  }
  for (PlannedSetting& setting : plan.settings) {
    setting.leftAsItIs =
        setting.held != nullptr && LeavesAsItIs(setting.held->bytes, writes[setting.last].text);
  }
  return plan;
}

std::vector<platform::SettingWrite> ChangingWrites(std::vector<platform::SettingWrite> writes,
                                                   const RestorePlan& plan) {
  // Kept in place: a second list of 100 000 writes would take as much memory again.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (plan.settings[plan.settingOf[i]].leftAsItIs) continue;
    if (kept != i) writes[kept] = std::move(writes[i]);
    ++kept;
  }
  writes.erase(writes.begin() + static_cast<std::ptrdiff_t>(kept), writes.end());
  return writes;
}

}  // namespace bmRegistry
