// RegTool.exe's start-up under Wine, timed inside the process, and the memory the window
// holds once "讀入Registry" has shown a snapshot in its fgList (bench/wine-startup.sh
// runs both beside the Qt window's figures).
//
//   regtool_wine_startup startup   starts as the program does: the window built, its load
//                                  event run, shown and painted once; prints the
//                                  milliseconds from the process's creation, from the
//                                  entry to main, and of these the building (load
//                                  event included) and the showing and painting, and
//                                  the process's CPU time till then
//   regtool_wine_startup memory    starts the same way, ticks "使用預設的檔案及目錄" and
//                                  clicks "讀入Registry", which reads ..\DAT\Reg_BENCH.txt
//                                  beside the program's folder; prints the rows shown,
//                                  the milliseconds of the click and the resident MiB
//
// Each mode ends the process as soon as its figures are printed: tearing the window down
// is no part of them.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/win32/fm_reg_tool.h"
#include "app/win32/win32_user_interface.h"
#include "common/user_interface.h"

namespace {

using Clock = std::chrono::steady_clock;

// The computer name the memory probe's snapshot file is named after.
constexpr char kBenchComputer[] = "BENCH";

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Milliseconds since the system made this process (the time it records for it), and
// the CPU time, user and kernel, its threads have taken so far, which a busy machine
// stretches less.
struct ProcessAge {
  double sinceCreation;
  double cpu;
};

ProcessAge AgeOfProcess() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const auto ms = [](const FILETIME& time) {  // from 100 ns ticks
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           10'000.0;
  };
  return {ms(now) - ms(created), ms(kernel) + ms(user)};
}

// What the message loop does before the user sees the window: every queued message
// (the window's own keys first, as RunMessageLoop takes them), the paints among them,
// until nothing is left; then whatever is still invalid painted at once.
void Settle(app::fmRegTool& window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (window.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

double ResidentMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The rest of the memory probe: the window's own command on the snapshot file.
void ReadSnapshotThroughPage(app::fmRegTool& window) {
  SendMessageW(window.Control("chkDefault"), BM_SETCHECK, BST_CHECKED, 0);
  const auto start = Clock::now();
  SendMessageW(window.Control("cmdReadRegFile"), BM_CLICK, 0, 0);
  Settle(window);
  const double clicked = Milliseconds(start, Clock::now());
  std::printf("%d %.1f %.1f\n", window.fgList().Rows() - window.fgList().FixedRows(), clicked,
              ResidentMiB());
}

}  // namespace

int main(int argc, char** argv) {
  const auto entered = Clock::now();
  const bool memory = argc == 2 && std::strcmp(argv[1], "memory") == 0;
  if (!memory && !(argc == 2 && std::strcmp(argv[1], "startup") == 0)) {
    std::fprintf(stderr, "usage: %s startup | memory\n", argv[0]);
    return 2;
  }
  // From here on as WinMain starts the window.
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  app::Win32UserInterface ui;
  common::InstallUserInterface(&ui);
  app::fmRegTool window(
      memory ? [] { return std::string(kBenchComputer); } : app::fmRegTool::ComputerNameSource(),
      &ui);
  const auto built = Clock::now();
  window.Show(SW_SHOWNORMAL);
  Settle(window);
  const ProcessAge age = AgeOfProcess();
  const auto shown = Clock::now();

  if (memory) {
    ReadSnapshotThroughPage(window);
  } else {
    std::printf("%.1f %.1f %.1f %.1f %.1f\n", age.sinceCreation, Milliseconds(entered, shown),
                Milliseconds(entered, built), Milliseconds(built, shown), age.cpu);
  }
  std::fflush(stdout);
  std::_Exit(0);
}
