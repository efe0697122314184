// A restore that replaces every setting, with its undo file and, to compare, the same
// restore without one: the undo file's share of a restore.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/seeded_store.h"
#include "bench/sizes.h"
#include "bench/synthetic_settings.h"
#include "snapshot/bmregistry.h"
#include "snapshot/restore_plan.h"
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
    // The store holds the first file's settings, whatever an earlier benchmark left: the
    // first turn restores the second.
    if (seeded.store().RestoreSettings(seeded.settings()) != platform::kSuccess) {
      throw std::runtime_error("cannot reset the settings store");
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

// The same restore as LoadRegistry's, step for step, with only its undo file left out:
// the file is read and checked, compared with the store so that lines which leave a value
// as it is are dropped, and applied as one batch.
void BM_RestoreReplacingAllWithoutUndo(benchmark::State& state) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
  const Alternating alternating(seeded);
  int turn = 1;
  for (auto _ : state) {
    std::vector<platform::SettingWrite> writes =
        bmRegistry::ReadSettingWrites(alternating.files[turn], "");
    {
      bmRegistry::StoreKeys keys(seeded.store());
      const bmRegistry::RestorePlan plan = bmRegistry::PlanRestore(writes, keys);
      writes = bmRegistry::ChangingWrites(std::move(writes), plan);
    }
    if (writes.size() != seeded.settings().size()) {
      state.SkipWithError("the restore would not replace every value");
      return;
    }
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
