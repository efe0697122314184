#pragma once
// The posix settings store in a throw-away folder, holding a synthetic tree: what the
// store benchmarks read and restore into. Made once per size and kept for the run, since
// seeding a million values takes longer than reading them.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/settings_store.h"
#include "support/temp_dir.h"

namespace bench {

enum class TreeShape { kWorkstation, kOneSection };

class SeededStore {
 public:
  // The store of `values` synthetic settings; the same object on every call.
  static SeededStore& Holding(std::size_t values, TreeShape shape = TreeShape::kWorkstation);

  platform::SettingsStore& store() { return *store_; }
  const std::vector<platform::SettingWrite>& settings() const { return settings_; }
  // A spare folder beside the store, for snapshot files.
  std::filesystem::path Scratch(const char* name) const { return dir_.path() / name; }

 private:
  SeededStore(std::size_t values, TreeShape shape);

  testing_support::TempDir dir_;
  std::vector<platform::SettingWrite> settings_;
  std::unique_ptr<platform::SettingsStore> store_;
};

}  // namespace bench
