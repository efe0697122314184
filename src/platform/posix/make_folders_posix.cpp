#include "platform/posix/make_folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace platform::posix {

int MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string level = folder.substr(0, slash);
    if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

}  // namespace platform::posix
