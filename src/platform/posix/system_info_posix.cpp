#include "platform/system_info.h"

#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

namespace platform {

std::optional<std::string> ComputerName(unsigned capacity) {
  std::vector<char> buffer(capacity + 1, '\0');
  if (capacity == 0 || ::gethostname(buffer.data(), capacity) != 0) return std::nullopt;
  // gethostname may truncate without a terminator; the extra byte keeps one.
  return std::string(buffer.data());
}

std::string ProgramFolder() {
  std::vector<char> buffer(PATH_MAX + 1, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), PATH_MAX);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool RunningUnderWine() { return false; }

}  // namespace platform
