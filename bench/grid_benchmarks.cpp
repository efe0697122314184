// The grid's own share of showing a snapshot: appending one row per setting to the
// window's fgList and fitting its columns, with the cells ready. The snapshot
// benchmarks add reading the file.
#include <benchmark/benchmark.h>

#include "bench/grid_rows.h"
#include "bench/shown_window.h"
#include "bench/sizes.h"

namespace bench {
namespace {

void BM_GridAppendAndFit(benchmark::State& state) {
  const auto rows = DecodedRows(static_cast<std::size_t>(state.range(0)));
  fmRegTool& window = ShownWindow();
  controls::Grid& grid = window.fgList();
  for (auto _ : state) {
    grid.SetRows(grid.FixedRows());
    for (const auto& cells : rows) grid.AddItem(cells);
    grid.AutoSize(0, grid.Cols() - 1);
    SettleWindow(window);
  }
  grid.SetRows(grid.FixedRows());
  SettleWindow(window);
}
BENCHMARK(BM_GridAppendAndFit)->Apply(ValueCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
