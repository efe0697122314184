#include "platform/system_info.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/ansi_codepage.h"

namespace platform {

std::optional<std::string> ComputerName(unsigned capacity) {
  // One byte more than the call may use, so the name always ends in a NUL.
  std::vector<char> buffer(capacity + 1, '\0');
  DWORD size = capacity;
  if (capacity == 0 || !GetComputerNameA(buffer.data(), &size)) return std::nullopt;
  return std::string(buffer.data());
}

std::string ProgramFolder() {
  std::vector<char> buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return ".";
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.assign(buffer.size() * 2, '\0');  // truncated: the path is longer
  }
  const std::string_view path(buffer.data(), buffer.size());
  // The last "\" that is a character of its own, not the trail byte of a double-byte
  // character.
  std::size_t lastSeparator = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += CharacterLength(path, pos)) {
    if (path[pos] == '\\' || path[pos] == '/') lastSeparator = pos;
  }
  if (lastSeparator == std::string_view::npos) return ".";
  return std::string(path.substr(0, lastSeparator));
}

bool RunningUnderWine() {
  // Wine's ntdll exports its version; Windows' ntdll has no such entry.
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace platform
