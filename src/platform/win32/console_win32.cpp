#include <windows.h>

#include <cstdio>

#include "platform/console.h"

namespace platform {
namespace {

// A stream the parent redirected (to a file or a pipe) is kept; one a windowed program
// started without gets the console.
bool Usable(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void PrepareStandardStreams() {
  const bool output = Usable(STD_OUTPUT_HANDLE);
  const bool error = Usable(STD_ERROR_HANDLE);
  if (output && error) return;
  if (GetConsoleWindow() == nullptr && !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!output) std::freopen("CONOUT$", "w", stdout);
  if (!error) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace platform
