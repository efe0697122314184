#pragma once
// The console output of Google Benchmark, followed by a summary: for every operation its
// figure at each size (the median when repetitions were asked for), the growth from one
// size to the next, and whether the target at 100 000 and the linear-growth limit hold.
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// The counters of BM_RestoreReplacingAll: the mean milliseconds of a restore replacing
// every value with its undo file, and of the same restore without one.
inline constexpr const char* kWithUndoCounter = "with_undo_ms";
inline constexpr const char* kWithoutUndoCounter = "without_undo_ms";

class GrowthReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

  // False when a target or the growth limit was missed, or an operation failed.
  bool AllHeld() const { return allHeld_; }

 private:
  struct Figures {
    std::map<long, double> bySize;  // size (0 for one without sizes) -> figure
    bool fromMedian = false;
  };

  void Record(const Run& run, double figure);
  void PrintOperation(const std::string& name, const Figures& figures);
  void PrintWriteComparison();
  void PrintUndoShare();
  // The figure of the operation at the target size, when it ran.
  std::optional<double> FigureAtTarget(const char* name) const;

  struct UndoShare {
    double withUndo = 0, withoutUndo = 0;
    bool fromMedian = false;
  };
  std::optional<UndoShare> undoShare_;

  std::map<std::string, Figures> figures_;  // by benchmark name
  std::vector<std::string> order_;
  bool failed_ = false;
  bool allHeld_ = true;
};

}  // namespace bench
