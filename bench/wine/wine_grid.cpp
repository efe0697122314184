// A snapshot shown in the Win32 grid under Wine, timed and weighed inside the process,
// as the native benchmarks time and weigh the Qt grid (bench/wine-grid.sh runs both).
//
//   regtool_wine_grid write <values> <file>   writes the snapshot of the synthetic tree
//   regtool_wine_grid show <file> <runs>      shows it that many times; prints each run's
//                                             milliseconds: reading and appending, fitting,
//                                             settling, total, and the CPU time of the total
//   regtool_wine_grid memory <file>           shows it once; prints the resident MiB
//
// The grid is the window's fgList: its size, its list font, its set-up, in a shown
// window that reflects the list view's notifications to it.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "bench/synthetic_settings.h"
#include "common/user_interface.h"
#include "controls/win32/win32_grid.h"
#include "snapshot/bmregistry.h"
#include "support/win32_host_window.h"

namespace {

using Clock = std::chrono::steady_clock;
using win32_testing::HostWindow;

// The tool's boxes have no one to answer them here: they go to the error output, and
// the busy pointer is the system's, as the window sets it.
class BenchUserInterface final : public common::UserInterface {
 public:
  common::Answer MessageBox(std::string_view text, common::Buttons, common::Icon,
                            std::string_view) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return common::Answer::kOk;
  }
  void Beep() override {}
  void SetBusyPointer(bool busy) override {
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  }
  std::string BrowseForFolder(const common::FolderRequest&) override { return {}; }
};

// CPU time of this thread: on a busy machine the wall-clock time says more about the
// other processes than about the grid.
double ThreadCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10'000.0;  // 100 ns ticks
}

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// fgList: 11400 x 5925 twips at 120, 120; the list font is 新細明體 12 pt. Where the face
// is missing the Big5 character set still picks a Chinese font.
struct ShownGrid {
  HostWindow host;
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, CHINESEBIG5_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           L"新細明體");
  controls::Win32Grid grid{host.Handle(), 1, RECT{8, 8, 8 + 760, 8 + 395}};

  ShownGrid() {
    grid.SetFont(font);
    grid.SetCols(4);
    grid.SetFormatString("Key1|Key2|Key3|Value");
    for (int c = 0; c < grid.Cols(); ++c) {
      grid.SetColAlignment(c, controls::AlignmentAttribute::kFirst, 4);
    }
    for (int c = 0; c < grid.Cols(); ++c) {
      grid.SetColAlignment(c, controls::AlignmentAttribute::kSecond, 1);
    }
    grid.SetRows(1);
    grid.AutoSize(0, grid.Cols() - 1);
    Settle();
  }

  // What the message loop does before the user sees the rows: the queued messages (the
  // row count among them), then one paint.
  void Settle() {
    HostWindow::Settle();
    UpdateWindow(host.Handle());
    UpdateWindow(grid.Handle());
  }

  // "讀入Registry": the file read into the grid, the columns fitted, the result on screen.
  bool Show(const char* file, double phases[3]) {
    const auto start = Clock::now();
    if (!bmRegistry::LoadRegistryToFG(grid, file)) return false;
    const auto filled = Clock::now();
    grid.AutoSize(0, grid.Cols() - 1);
    const auto fitted = Clock::now();
    Settle();
    const auto settled = Clock::now();
    phases[0] = Milliseconds(start, filled);
    phases[1] = Milliseconds(filled, fitted);
    phases[2] = Milliseconds(fitted, settled);
    return true;
  }
};

int Write(std::size_t values, const char* file) {
  std::ofstream out(file, std::ios::binary);
  out << bench::SnapshotText(bench::SyntheticSettings(values));
  return out.good() ? 0 : 1;
}

int ShowTimed(const char* file, int runs) {
  ShownGrid shown;
  for (int run = 0; run < runs; ++run) {
    double phases[3];
    const double cpuBefore = ThreadCpuMilliseconds();
    if (!shown.Show(file, phases)) return 1;
    std::printf("%.1f %.1f %.1f %.1f %.1f\n", phases[0], phases[1], phases[2],
                phases[0] + phases[1] + phases[2], ThreadCpuMilliseconds() - cpuBefore);
  }
  std::printf("rows %d\n", shown.grid.Rows() - 1);
  return 0;
}

int ShowWeighed(const char* file) {
  ShownGrid shown;
  double phases[3];
  if (!shown.Show(file, phases)) return 1;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 1;
  std::printf("%.1f\n", static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0));
  std::fflush(stdout);
  // The figure is taken: tearing the window down is no part of it.
  std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  BenchUserInterface ui;
  common::InstallUserInterface(&ui);
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
    return Write(std::strtoul(argv[2], nullptr, 10), argv[3]);
  }
  if (argc == 4 && std::strcmp(argv[1], "show") == 0) return ShowTimed(argv[2], std::atoi(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "memory") == 0) return ShowWeighed(argv[2]);
  std::fprintf(stderr, "usage: %s write <values> <file> | show <file> <runs> | memory <file>\n",
               argv[0]);
  return 2;
}
