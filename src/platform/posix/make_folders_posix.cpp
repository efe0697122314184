#include "platform/posix/make_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform::posix {
namespace {

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

}  // namespace

std::string XdgBaseFolder(const char* variable, const char* underHome) {
  std::string base;
  if (const char* named = std::getenv(variable); IsAbsolute(named)) {
    base = named;
  } else if (const char* home = std::getenv("HOME"); IsAbsolute(home)) {
    base = std::string(home) + underHome;
  } else if (const passwd* entry = ::getpwuid(::getuid());
             entry != nullptr && IsAbsolute(entry->pw_dir)) {
    base = std::string(entry->pw_dir) + underHome;
  }
  if (base.find('\\') != std::string::npos) return {};
  return base;
}

int MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string level = folder.substr(0, slash);
    if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

}  // namespace platform::posix
