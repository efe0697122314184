#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/ansi_codepage.h"

namespace platform {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  // A service started without HOME still has a home in the user database.
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return std::string();
}

// Where Wine keeps its drive letters: a program of the family running under Wine sees
// "C:\..." as ${WINEPREFIX:-~/.wine}/dosdevices/c:/...
std::string DriveFolder(char letter) {
  std::string prefix;
  if (const char* wine = std::getenv("WINEPREFIX"); wine != nullptr && *wine != '\0') {
    prefix = wine;
  } else {
    prefix = HomeFolder() + "/.wine";
  }
  // Wine names its drive links in lower case.
  const char lower =
      letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
  return prefix + "/dosdevices/" + lower + ':';
}

}  // namespace

std::string NativePath(std::string_view windowsPath) {
  std::string native;
  std::size_t pos = 0;
  if (windowsPath.size() >= 2 && windowsPath[1] == ':' && IsAsciiLetter(windowsPath[0])) {
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
