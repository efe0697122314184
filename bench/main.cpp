// The benchmarks of a large settings tree: walking and saving it, showing and restoring
// a snapshot of it, starting the tool and holding a filled grid. Run as any Google
// Benchmark program; a summary of the figures against their targets ends the output,
// and the exit code is 1 when a target was missed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>

#include "app/qt/qt_user_interface.h"
#include "bench/growth_report.h"
#include "bench/probes.h"
#include "controls/qt/qt_fonts.h"

int main(int argc, char** argv) {
  // The ANSI code page of the synthetic texts and of the snapshot files follows the
  // locale, as in the tool.
  std::setlocale(LC_ALL, "");
  // Figures taken without a display server in the way; the probes inherit it.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  bool wasProbe = false;
  if (const int exitCode = bench::RunProbe(argc, argv, wasProbe); wasProbe) return exitCode;

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  QApplication application(argc, argv);
  controls::InstallFontSubstitutes();
  app::QtUserInterface ui;
  common::InstallUserInterface(&ui);

  bench::GrowthReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  common::InstallUserInterface(nullptr);
  return reporter.AllHeld() ? 0 : 1;
}
