// The probe processes and the benchmarks that start them.
#include "bench/probes.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/qt/qt_user_interface.h"
#include "bench/shown_window.h"
#include "bench/sizes.h"
#include "bench/synthetic_settings.h"
#include "controls/qt/qt_fonts.h"
#include "snapshot/bmregistry.h"
#include "support/temp_dir.h"

extern char** environ;

namespace bench {
namespace {

// VmRSS of this process, in MiB.
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  return 0;
}

// As main() starts the tool: the application, the font substitutes, the user interface,
// the window built (its load event included) and shown. With a snapshot file, the file
// is then shown in fgList, as "讀入Registry" does, and the memory held is printed.
int ProbeProcess(int argc, char** argv, const char* snapshot) {
  QApplication application(argc, argv);
  controls::InstallFontSubstitutes();
  app::QtUserInterface ui;
  common::InstallUserInterface(&ui);
  fmRegTool& window = ShownWindow();
  if (snapshot != nullptr) {
    controls::Grid& grid = window.fgList();
    if (!bmRegistry::LoadRegistryToFG(grid, snapshot)) return 1;
    grid.AutoSize(0, grid.Cols() - 1);
    SettleWindow(window);
    std::printf("%.3f\n", ResidentMiB());
    std::fflush(stdout);
  }
  // The figure is taken: tearing the window down is no part of it.
  std::_Exit(0);
}

// Runs this program again with `arguments`; its standard output, or nothing and false
// when it fails.
bool RunSelf(const std::vector<std::string>& arguments, std::string& output) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<std::string> all = {"/proc/self/exe"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  output.clear();
  char buffer[256];
  for (ssize_t n; spawned == 0 && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  return spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

void BM_StartUpToShownWindow(benchmark::State& state) {
  std::string output;
  for (auto _ : state) {
    if (!RunSelf({kStartUpProbe}, output)) {
      state.SkipWithError("the start-up probe failed");
      return;
    }
  }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GridResidentMemory(benchmark::State& state) {
  const testing_support::TempDir dir;
  const std::string snapshot = dir.file("Reg_BENCH.TXT");
  testing_support::WriteBytes(snapshot,
                              SnapshotText(SyntheticSettings(static_cast<std::size_t>(state.range(0)))));
  std::string output;
  double resident = 0;
  for (auto _ : state) {
    if (!RunSelf({kGridMemoryProbe, snapshot}, output)) {
      state.SkipWithError("the memory probe failed");
      return;
    }
    resident = std::strtod(output.c_str(), nullptr);
  }
  state.counters["resident_MiB"] = resident;
}
BENCHMARK(BM_GridResidentMemory)
    ->Apply(ValueCounts)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

int RunProbe(int argc, char** argv, bool& wasProbe) {
  wasProbe = argc >= 2 && (std::strcmp(argv[1], kStartUpProbe) == 0 ||
                           std::strcmp(argv[1], kGridMemoryProbe) == 0);
  if (!wasProbe) return 0;
  const bool withSnapshot = std::strcmp(argv[1], kGridMemoryProbe) == 0 && argc >= 3;
  return ProbeProcess(argc, argv, withSnapshot ? argv[2] : nullptr);
}

}  // namespace bench
