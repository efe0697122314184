#include "bench/seeded_store.h"

#include <map>
#include <utility>
#include <stdexcept>
#include <string>

#include "bench/synthetic_settings.h"
#include "support/scoped_env.h"

namespace bench {

SeededStore& SeededStore::Holding(std::size_t values, TreeShape shape) {
  static std::map<std::pair<std::size_t, TreeShape>, std::unique_ptr<SeededStore>> stores;
  std::unique_ptr<SeededStore>& held = stores[{values, shape}];
  if (!held) held.reset(new SeededStore(values, shape));
  return *held;
}

SeededStore::SeededStore(std::size_t values, TreeShape shape)
    : settings_(shape == TreeShape::kOneSection ? SyntheticSettingsInOneSection(values)
                                                : SyntheticSettings(values)) {
  {
    // The store takes its folder from the environment when it is opened.
    const testing_support::ScopedEnv config("XDG_CONFIG_HOME", dir_.path().string());
    store_ = platform::OpenUserSettingsStore();
  }
  if (store_->RestoreSettings(settings_) != platform::kSuccess) {
    throw std::runtime_error("cannot seed the settings store: " + store_->LastFailureDescription());
  }
  // Read once, as every timed turn after the first finds it (the store keeps the tree it
  // last read while its file is unchanged): a size timed for a single turn, a million
  // values, would otherwise be the only one to pay for parsing the file.
  std::unique_ptr<platform::SettingsKey> currentUser;
  if (store_->OpenCurrentUserKey("", currentUser) != platform::kSuccess) {
    throw std::runtime_error("cannot read the seeded store: " + store_->LastFailureDescription());
  }
}

}  // namespace bench
