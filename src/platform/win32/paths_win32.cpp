#include "platform/paths.h"

#include <windows.h>

#include <string>

namespace platform {

// Windows takes the tool's paths as they are.
std::string NativePath(std::string_view windowsPath) { return std::string(windowsPath); }

// A user's path is already one of the platform's.
void TakeAsWritten(std::string_view) {}

PathKind QueryPath(std::string_view windowsPath) {
  // A NUL inside the text would silently cut the path short: such a path is malformed.
  if (windowsPath.empty() || windowsPath.find('\0') != std::string_view::npos) {
    return PathKind::kMissing;
  }
  const DWORD attributes = GetFileAttributesA(std::string(windowsPath).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kDirectory : PathKind::kFile;
}

}  // namespace platform
