// The settings store's own shares of the snapshot commands: opening the root (which reads
// the store's file) and enumerating every key and value through the store interface,
// with no records built; and restoring a batch of settings that is already checked.
// The snapshot benchmarks measure the whole commands.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bench/seeded_store.h"
#include "bench/sizes.h"

namespace bench {
namespace {

using platform::SettingsKey;

// Counts the values below `key`, the way a walk reads them: names by index, then each
// value's size and bytes.
std::size_t CountValues(SettingsKey& key) {
  std::array<char, 256> name{};
  std::size_t count = 0;
  for (std::uint32_t index = 0;
       key.EnumKey(index, name.data(), name.size()) == platform::kSuccess; ++index) {
    std::unique_ptr<SettingsKey> sub;
    if (key.OpenSubKey(name.data(), sub) == platform::kSuccess) count += CountValues(*sub);
  }
  std::vector<unsigned char> data;
  for (std::uint32_t index = 0;; ++index) {
    auto nameLength = static_cast<std::uint32_t>(name.size());
    std::uint32_t type = 0;
    std::uint32_t dataLength = 0;
    if (key.EnumValue(index, name.data(), &nameLength, &type, nullptr, &dataLength) !=
        platform::kSuccess) {
      break;
    }
    data.resize(dataLength);
    nameLength = static_cast<std::uint32_t>(name.size());
    if (key.EnumValue(index, name.data(), &nameLength, &type, data.data(), &dataLength) !=
        platform::kSuccess) {
      break;
    }
    ++count;
  }
  return count;
}

void Enumerate(benchmark::State& state, TreeShape shape) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)), shape);
  for (auto _ : state) {
    std::unique_ptr<SettingsKey> root;
    if (seeded.store().OpenCurrentUserKey(platform::kSettingsRoot, root) != platform::kSuccess) {
      state.SkipWithError("the settings root cannot be opened");
      return;
    }
    const std::size_t values = CountValues(*root);
    if (values != seeded.settings().size()) {
      state.SkipWithError("the walk did not find every value");
      return;
    }
    benchmark::DoNotOptimize(values);
  }
}

void BM_StoreEnumeration(benchmark::State& state) { Enumerate(state, TreeShape::kWorkstation); }
BENCHMARK(BM_StoreEnumeration)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every value in one section: its growth stays that of the workstation's tree unless
// finding or adding a value in a section costs more the larger the section is.
void BM_StoreEnumerationOneSection(benchmark::State& state) {
  Enumerate(state, TreeShape::kOneSection);
}
BENCHMARK(BM_StoreEnumerationOneSection)
    ->Apply(ValueCounts)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Onto a store that holds the same settings: each is deleted and saved again, in one
// batch and one durable write.
void BM_StoreRestoreBatch(benchmark::State& state) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    if (seeded.store().RestoreSettings(seeded.settings()) != platform::kSuccess) {
      state.SkipWithError("the store refused the batch");
      return;
    }
  }
}
BENCHMARK(BM_StoreRestoreBatch)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
