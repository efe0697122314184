#include "platform/paths.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/ansi_codepage.h"

namespace platform {
namespace {

// Where Wine keeps its drive letters: a program of the family running under Wine sees
// "C:\..." as ${WINEPREFIX:-~/.wine}/dosdevices/c:/...
std::string DriveFolder(char letter) {
  std::string prefix;
  if (const char* wine = std::getenv("WINEPREFIX"); wine != nullptr && *wine != '\0') {
    prefix = wine;
  } else {
    const char* home = std::getenv("HOME");
    prefix = std::string(home != nullptr ? home : "") + "/.wine";
  }
  return prefix + "/dosdevices/" +
         static_cast<char>(std::tolower(static_cast<unsigned char>(letter))) + ':';
}

}  // namespace

std::string NativePath(std::string_view windowsPath) {
  std::string native;
  std::size_t pos = 0;
  if (windowsPath.size() >= 2 && windowsPath[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
    native = DriveFolder(windowsPath[0]);
    pos = 2;
    // "C:" alone or "C:name" is relative to the drive's root here.
    if (pos < windowsPath.size() && windowsPath[pos] != '\\' && windowsPath[pos] != '/') {
      native += '/';
    }
  }
  native.reserve(native.size() + windowsPath.size());
  while (pos < windowsPath.size()) {
    const std::size_t length = CharacterLength(windowsPath, pos);
    if (length == 1 && windowsPath[pos] == '\\') {
      native += '/';
    } else {
      native.append(windowsPath.substr(pos, length));
    }
    pos += length;
  }
  return native;
}

PathKind QueryPath(std::string_view windowsPath) {
  // A NUL inside the text would silently cut the path short: such a path is malformed.
  if (windowsPath.empty() || windowsPath.find('\0') != std::string_view::npos) {
    return PathKind::kMissing;
  }
  struct stat info {};
  if (::stat(NativePath(windowsPath).c_str(), &info) != 0) return PathKind::kMissing;
  return S_ISDIR(info.st_mode) ? PathKind::kDirectory : PathKind::kFile;
}

}  // namespace platform
