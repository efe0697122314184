#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/paths.h"
#include "platform/reg_tree.h"

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

// The entry of `folder` whose name matches `name` ignoring case, as Windows and Wine
// match file names: ASCII letters folded, the bytes of a double-byte character as they
// are. None when there is no such entry, or two that differ only in case (which one was
// meant cannot be told).
std::optional<std::string> FindIgnoringCase(const std::string& folder, std::string_view name) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                &::closedir);
  if (!dir) return std::nullopt;
  const std::string wanted = reg::FoldName(name);
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (reg::FoldName(entry->d_name) != wanted) continue;
    if (found) return std::nullopt;
    found = entry->d_name;
  }
  return found;
}

// Takes each component after `start` as it is spelled on disk: the entry of that exact
// name first, else the one entry that matches ignoring case. From the first component
// that is not there, the rest keeps the caller's spelling (a file about to be created).
std::string ResolveIgnoringCase(const std::string& spelled, std::size_t start) {
  std::string resolved = spelled.substr(0, start);
  bool lookingUp = true;
  std::size_t pos = start;
  while (pos < spelled.size()) {
    if (spelled[pos] == '/') {
      resolved += '/';
      ++pos;
      continue;
    }
    const std::size_t end = std::min(spelled.find('/', pos), spelled.size());
    const std::string_view name = std::string_view(spelled).substr(pos, end - pos);
    pos = end;
    struct stat info {};
    if (!lookingUp || name == "." || name == ".." ||
        ::lstat((resolved + std::string(name)).c_str(), &info) == 0) {
      resolved += name;
    } else if (auto found = FindIgnoringCase(resolved, name)) {
      resolved += *found;
    } else {
      resolved += name;
      lookingUp = false;
    }
  }
  return resolved;
}

// The paths a user gave; a command names one or two, so a list is the fastest lookup.
std::vector<std::string>& PathsAsWritten() {
  static std::vector<std::string> paths;
  return paths;
}

}  // namespace

void TakeAsWritten(std::string_view callersPath) {
  PathsAsWritten().emplace_back(callersPath);
}

std::string NativePath(std::string_view windowsPath) {
  const auto& asWritten = PathsAsWritten();
  if (std::find(asWritten.begin(), asWritten.end(), windowsPath) != asWritten.end()) {
    return std::string(windowsPath);
  }
  std::string native;
  std::size_t driveFolderLength = 0;
  std::size_t pos = 0;
  if (windowsPath.size() >= 2 && windowsPath[1] == ':' && IsAsciiLetter(windowsPath[0])) {
    native = DriveFolder(windowsPath[0]);
    driveFolderLength = native.size();
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
  // "/" is never the trail byte of a double-byte character, so from here the path is
  // split at every "/".
  return ResolveIgnoringCase(native, driveFolderLength);
}

PathKind QueryPath(std::string_view windowsPath) {
  // A NUL inside the text would silently cut the path short: such a path is malformed.
  if (windowsPath.empty() || windowsPath.find('\0') != std::string_view::npos) {
    return PathKind::kMissing;
  }
  struct stat info {};
  if (::stat(NativePath(windowsPath).c_str(), &info) != 0) return PathKind::kMissing;
  if (S_ISDIR(info.st_mode)) return PathKind::kDirectory;
  return S_ISREG(info.st_mode) ? PathKind::kFile : PathKind::kOther;
}

}  // namespace platform
