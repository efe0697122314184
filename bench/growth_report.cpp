#include "bench/growth_report.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "bench/sizes.h"

namespace bench {
namespace {

// The growth allowed from 100 000 to 1 000 000: linear, with room for caches that stop
// holding the data.
constexpr double kGrowthLimit = 12.0;

// The write of a snapshot may take at most this many times one buffered write of the
// same bytes.
constexpr double kWriteFactorLimit = 2.0;

// A restore that replaces every value may take at most this many times the same restore
// without its undo file.
constexpr double kUndoShareLimit = 1.5;
// A restore replacing every value, its undo file included, at 100 000 (ms).
constexpr double kRestoreWithUndoLimit = 500;

// A figure reported as a counter instead of the time.
constexpr const char* kResidentCounter = "resident_MiB";

struct Target {
  std::string_view operation;
  double limit;  // at 100 000, in the operation's unit
  double growthLimit = kGrowthLimit;
};

// The save is a walk and one write: it grows no faster than the walk itself.
constexpr Target kTargets[] = {
    {"BM_EnumSubKey", 150},          {"BM_GetCurrentKeyToFile", 150, 11.0},
    {"BM_LoadRegistryToFG", 300},    {"BM_LoadRegistry", 500},
    {"BM_StartUpToShownWindow", 300}, {"BM_GridResidentMemory", 100},
};

const Target* TargetOf(std::string_view operation) {
  for (const Target& target : kTargets) {
    if (target.operation == operation) return &target;
  }
  return nullptr;
}

double Milliseconds(const benchmark::BenchmarkReporter::Run& run) {
  return run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

const char* Verdict(bool held) {
  return held ? "held" : "MISSED";
}

}  // namespace

void GrowthReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred) {
      failed_ = true;
      continue;
    }
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.run_type == Run::RT_Aggregate && !median) continue;
    const auto counter = run.counters.find(kResidentCounter);
    Record(run, counter != run.counters.end() ? counter->second.value : Milliseconds(run));
    const auto withUndo = run.counters.find(kWithUndoCounter);
    const auto withoutUndo = run.counters.find(kWithoutUndoCounter);
    if (withUndo != run.counters.end() && withoutUndo != run.counters.end() &&
        (median || !undoShare_ || !undoShare_->fromMedian)) {
      undoShare_ = UndoShare{withUndo->second.value, withoutUndo->second.value, median};
    }
  }
}

void GrowthReporter::Record(const Run& run, double figure) {
  const std::string& name = run.run_name.function_name;
  if (!figures_.contains(name)) order_.push_back(name);
  Figures& figures = figures_[name];
  const long size = run.run_name.args.empty() ? 0 : std::stol(run.run_name.args);
  const bool median = run.run_type == Run::RT_Aggregate;
  // A median replaces the single runs it was made of; a later single run does not
  // replace a median.
  if (median || !figures.fromMedian) {
    if (median && !figures.fromMedian) figures.bySize.clear();
    figures.fromMedian = median;
    figures.bySize[size] = figure;
  }
}

void GrowthReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\nFigures (ms, or MiB resident), growth, and targets at %ld:\n", kTargetSize);
  std::printf("%-26s %10s %10s %10s %8s %8s %9s  %s\n", "operation", "10 000", "100 000",
              "1 000 000", "x10k>", "x100k>", "target", "verdict");
  for (const std::string& name : order_) PrintOperation(name, figures_[name]);
  PrintWriteComparison();
  PrintUndoShare();
  if (failed_) {
    std::printf("An operation failed (see above).\n");
    allHeld_ = false;
  }
  std::fflush(stdout);
}

void GrowthReporter::PrintOperation(const std::string& name, const Figures& figures) {
  const auto at = [&](long size) -> std::optional<double> {
    const auto found = figures.bySize.find(size);
    if (found == figures.bySize.end()) return std::nullopt;
    return found->second;
  };
  const auto cell = [](std::optional<double> value) {
    char text[32] = "-";
    if (value) std::snprintf(text, sizeof text, "%.1f", *value);
    return std::string(text);
  };
  const auto ratio = [](std::optional<double> from, std::optional<double> to) {
    std::optional<double> result;
    if (from && to && *from > 0) result = *to / *from;
    return result;
  };
  const std::optional<double> small = at(10'000);
  const std::optional<double> target = at(kTargetSize);
  const std::optional<double> large = at(1'000'000);
  // An operation without sizes (the start-up) has its one figure where the target is.
  const std::optional<double> figure = figures.bySize.contains(0) ? at(0) : target;
  const std::optional<double> growth = ratio(target, large);
  const Target* const goal = TargetOf(name);
  const std::optional<double> limit = goal != nullptr ? std::optional(goal->limit) : std::nullopt;

  std::string verdict;
  bool held = true;
  if (limit && figure) {
    held = *figure <= *limit;
    verdict = Verdict(held);
  }
  // The shares of an operation (the store's, the grid's) are shown for finding where
  // time goes; the operation itself answers for its growth.
  if (growth && limit) {
    const bool linear = *growth <= goal->growthLimit;
    held = held && linear;
    verdict += std::string(verdict.empty() ? "" : ", ") + "growth " + Verdict(linear);
  }
  allHeld_ = allHeld_ && held;
  std::printf("%-26s %10s %10s %10s %8s %8s %9s  %s\n", name.c_str(), cell(small).c_str(),
              cell(figure).c_str(), cell(large).c_str(), cell(ratio(small, target)).c_str(),
              cell(growth).c_str(), limit ? ("<=" + cell(limit)).c_str() : "-",
              verdict.empty() ? "(a share, no target)" : verdict.c_str());
}

std::optional<double> GrowthReporter::FigureAtTarget(const char* name) const {
  const auto found = figures_.find(name);
  if (found == figures_.end() || !found->second.bySize.contains(kTargetSize)) return {};
  return found->second.bySize.at(kTargetSize);
}

void GrowthReporter::PrintWriteComparison() {
  const auto save = FigureAtTarget("BM_GetCurrentKeyToFile");
  const auto walk = FigureAtTarget("BM_EnumSubKey");
  const auto write = FigureAtTarget("BM_OneBufferedWrite");
  if (!save || !walk || !write || *write <= 0) return;
  // The save is a walk plus a write; its write is compared with one buffered write of
  // the same bytes, made as durable (flushed to disk and renamed into place).
  const double writing = std::max(0.0, *save - *walk);  // noise can make it negative
  const double factor = writing / *write;
  const bool held = factor <= kWriteFactorLimit;
  allHeld_ = allHeld_ && held;
  std::printf(
      "GetCurrentKeyToFile at %ld: walk %.1f ms + write %.1f ms; the write is %.2fx one "
      "buffered write of the same bytes (%.1f ms), limit %.0fx: %s; whole save %.2fx\n",
      kTargetSize, *walk, writing, factor, *write, kWriteFactorLimit, Verdict(held),
      *save / *write);
}

void GrowthReporter::PrintUndoShare() {
  if (!undoShare_ || undoShare_->withoutUndo <= 0) return;
  const double share = undoShare_->withUndo / undoShare_->withoutUndo;
  const bool held = share <= kUndoShareLimit && undoShare_->withUndo <= kRestoreWithUndoLimit;
  allHeld_ = allHeld_ && held;
  std::printf(
      "Restore replacing every value at %ld, turn by turn: %.1f ms with its undo file (limit "
      "%.0f), %.1f ms without; %.2fx, limit %.1fx: %s\n",
      kTargetSize, undoShare_->withUndo, kRestoreWithUndoLimit, undoShare_->withoutUndo, share,
      kUndoShareLimit, Verdict(held));
}

}  // namespace bench
