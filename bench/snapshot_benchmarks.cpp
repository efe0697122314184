// The snapshot commands on a large store: the walk into records, saving a snapshot
// (and, to compare, one buffered write of the same bytes), showing a snapshot in the
// window's grid with its columns fitted, and restoring one.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/seeded_store.h"
#include "bench/shown_window.h"
#include "bench/sizes.h"
#include "bench/synthetic_settings.h"
#include "platform/atomic_file.h"
#include "snapshot/bmregistry.h"
#include "support/temp_dir.h"

namespace bench {
namespace {

SeededStore& StoreFor(const benchmark::State& state) {
  return SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
}

// The snapshot file of the store's settings, written once.
std::string SnapshotFileOf(SeededStore& seeded) {
  const std::string path = seeded.Scratch("Reg_BENCH.TXT").string();
  testing_support::WriteBytes(path, SnapshotText(seeded.settings()));
  return path;
}

void BM_EnumSubKey(benchmark::State& state) {
  SeededStore& seeded = StoreFor(state);
  for (auto _ : state) {
    const auto records = bmRegistry::ReadAllSettings(seeded.store());
    if (!records || records->size() != seeded.settings().size()) {
      state.SkipWithError("the walk did not give one record per setting");
      return;
    }
  }
}
BENCHMARK(BM_EnumSubKey)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GetCurrentKeyToFile(benchmark::State& state) {
  SeededStore& seeded = StoreFor(state);
  const std::string path = seeded.Scratch("Reg_SAVED.TXT").string();
  for (auto _ : state) {
    if (!bmRegistry::GetCurrentKeyToFile(path, seeded.store())) {
      state.SkipWithError("the snapshot was not written");
      return;
    }
  }
}
BENCHMARK(BM_GetCurrentKeyToFile)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bytes of the saved snapshot, written with one call and made as durable.
void BM_OneBufferedWrite(benchmark::State& state) {
  SeededStore& seeded = StoreFor(state);
  const std::string saved = seeded.Scratch("Reg_SAVED.TXT").string();
  if (!bmRegistry::GetCurrentKeyToFile(saved, seeded.store())) {
    state.SkipWithError("the snapshot was not written");
    return;
  }
  const std::string bytes = testing_support::ReadBytes(saved);
  const std::string path = seeded.Scratch("Reg_COPY.TXT").string();
  for (auto _ : state) {
    platform::AtomicFileWriter file(path);
    file.Write(bytes);
    file.Commit();
  }
}
BENCHMARK(BM_OneBufferedWrite)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadRegistryToFG(benchmark::State& state) {
  const std::string path = SnapshotFileOf(StoreFor(state));
  fmRegTool& window = ShownWindow();
  controls::Grid& grid = window.fgList();
  for (auto _ : state) {
    if (!bmRegistry::LoadRegistryToFG(grid, path)) {
      state.SkipWithError("the snapshot was not shown");
      return;
    }
    grid.AutoSize(0, grid.Cols() - 1);
    SettleWindow(window);
  }
  grid.SetRows(grid.FixedRows());
  SettleWindow(window);
}
BENCHMARK(BM_LoadRegistryToFG)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Restoring onto a workstation that holds the same settings: every line is checked,
// then deletes and saves one setting each, in one batch and one durable write.
void BM_LoadRegistry(benchmark::State& state) {
  SeededStore& seeded = StoreFor(state);
  const std::string path = SnapshotFileOf(seeded);
  for (auto _ : state) {
    if (!bmRegistry::LoadRegistry(path, seeded.store())) {
      state.SkipWithError("the snapshot was not restored");
      return;
    }
  }
}
BENCHMARK(BM_LoadRegistry)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
