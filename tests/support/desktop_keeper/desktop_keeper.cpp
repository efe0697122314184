// Keeps the Wine session's desktop open for a whole test run.
//
// Wine closes a desktop a moment after its last user leaves. The next test process that
// uses a window then starts the desktop's process anew, and that process inherits the
// test's standard handles: ctest waits for it to close them (some 20 s a test), and a
// file the test redirected a child's output into stays open in it, so the next child
// cannot write there. One process that holds a window for the whole run keeps one
// desktop, started with this process's handles.
//
//   desktop_keeper.exe READY-FILE   writes READY-FILE once the desktop is in use, then
//                                   waits until the session ends it
#include <windows.h>

#include <fstream>

int main(int argc, char** argv) {
  // A message-only window: a user of the desktop that no test enumerates or activates.
  const HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (window == nullptr) return 1;
  if (argc > 1) std::ofstream(argv[1]) << "ready\n";
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
