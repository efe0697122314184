// A restore that replaces every setting, with its undo file and, to compare, the same
// restore without one: the undo file's share of a restore.
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/growth_report.h"
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

// The same restore as LoadRegistry's, step for step, with only its undo file left out:
// the file is read and checked, compared with the store so that lines which leave a value
// as it is are dropped, and applied as one batch. False when it would not replace every
// value or the store refused it.
bool RestoreWithoutUndo(SeededStore& seeded, const std::string& file) {
  std::vector<platform::SettingWrite> writes = bmRegistry::ReadSettingWrites(file, "");
  {
    bmRegistry::StoreKeys keys(seeded.store());
    const bmRegistry::RestorePlan plan = bmRegistry::PlanRestore(writes, keys);
    writes = bmRegistry::ChangingWrites(std::move(writes), plan);
  }
  return writes.size() == seeded.settings().size() &&
         seeded.store().RestoreSettings(writes) == platform::kSuccess;
}

template <typename Restore>
double MillisecondsOf(Restore&& restore, bool& done) {
  const auto start = std::chrono::steady_clock::now();
  done = restore();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Turn by turn, a restore with its undo file (the second file over the first) and the
// same restore without one (the first file back): taken at the same moments, a machine
// whose speed drifts, as a virtual guest's does, weighs on both alike. The figures are
// counters of the run, each restore's mean per turn.
void BM_RestoreReplacingAll(benchmark::State& state) {
  SeededStore& seeded = SeededStore::Holding(static_cast<std::size_t>(state.range(0)));
  const testing_support::TempDir undoHome;
  const testing_support::ScopedEnv undo("XDG_STATE_HOME", undoHome.path().string());
  const Alternating alternating(seeded);
  double withUndo = 0, withoutUndo = 0;
  for (auto _ : state) {
    bool done = false;
    withUndo += MillisecondsOf(
        [&] { return bmRegistry::LoadRegistry(alternating.files[1], seeded.store()); }, done);
    if (done) {
      withoutUndo += MillisecondsOf(
          [&] { return RestoreWithoutUndo(seeded, alternating.files[0]); }, done);
    }
    if (!done) {
      state.SkipWithError("a restore did not replace every value");
      return;
    }
  }
  const auto turns = static_cast<double>(state.iterations());
  state.counters[kWithUndoCounter] = withUndo / turns;
  state.counters[kWithoutUndoCounter] = withoutUndo / turns;
}
BENCHMARK(BM_RestoreReplacingAll)->Arg(kTargetSize)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
