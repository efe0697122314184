// A restore that replaces every setting, with its undo file and, to compare, the same
// batch without one: the undo file's share of a restore.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/seeded_store.h"
#include "bench/sizes.h"
#include "bench/synthetic_settings.h"
#include "snapshot/bmregistry.h"
#include "snapshot/setting_line.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace bench {
namespace {

// Two snapshot files of the store's settings whose data all differ, so that restoring
// them by turns replaces every value each time.
struct Alternating {
  explicit Alternating(SeededStore& seeded) {
    std::vector<platform::SettingWrite> changed = seeded.settings();
    for (platform::SettingWrite& write : changed) write.text += "x";
    for (int i = 0; i < 2; ++i) {
      files[i] = seeded.Scratch(i == 0 ? "Reg_A.TXT" : "Reg_B.TXT").string();
      testing_support::WriteBytes(files[i], SnapshotText(i == 0 ? seeded.settings() : changed));
    }
  }
  std::string files[2];
};

void BM_RestoreReplacingAllWithUndo(benchmark::State& state) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
  const testing_support::TempDir undoHome;
  const testing_support::ScopedEnv undo("XDG_STATE_HOME", undoHome.path().string());
  const Alternating alternating(seeded);
  int turn = 1;
  for (auto _ : state) {
    if (!bmRegistry::LoadRegistry(alternating.files[turn], seeded.store())) {
      state.SkipWithError("the snapshot was not restored");
      return;
    }
    turn = 1 - turn;
  }
}
BENCHMARK(BM_RestoreReplacingAllWithUndo)->Arg(kTargetSize)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RestoreReplacingAllWithoutUndo(benchmark::State& state) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
  const Alternating alternating(seeded);
  int turn = 1;
  for (auto _ : state) {
    const auto writes = bmRegistry::ReadSettingWrites(alternating.files[turn], "");
    if (seeded.store().RestoreSettings(writes) != platform::kSuccess) {
      state.SkipWithError("the store refused the batch");
      return;
    }
    turn = 1 - turn;
  }
}
BENCHMARK(BM_RestoreReplacingAllWithoutUndo)->Arg(kTargetSize)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
