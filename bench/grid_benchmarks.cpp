// The grid's own share of showing a snapshot: appending one row per setting to the
// window's fgList and fitting its columns, with the cells ready. The snapshot
// benchmarks add reading the file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/shown_window.h"
#include "bench/sizes.h"
#include "bench/synthetic_settings.h"
#include "platform/ansi_codepage.h"

namespace bench {
namespace {

// The synthetic settings as grid rows: four cells each, decoded for display.
std::vector<std::vector<std::string>> DecodedRows(std::size_t values) {
  std::vector<std::vector<std::string>> rows;
  for (const platform::SettingWrite& setting : SyntheticSettings(values)) {
    rows.push_back({platform::AnsiToUtf8(setting.application),
                    platform::AnsiToUtf8(setting.section), platform::AnsiToUtf8(setting.key),
                    platform::AnsiToUtf8(setting.text)});
  }
  return rows;
}

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
