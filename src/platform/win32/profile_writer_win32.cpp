#include <windows.h>

// windows.h names WritePrivateProfileStringA this way too; the interface's function
// must keep its own name.
#undef WritePrivateProfileString

#include <string>

#include "platform/profile_writer.h"

namespace platform {

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) {
  // Refused as on every platform: the kernel would write a line break, or a name cut
  // into the next character, into the file as it stands, adding lines nobody asked for.
  if (!FitsOnOneProfileLine(section) || !FitsOnOneProfileLine(key) ||
      !FitsOnOneProfileLine(value) || !NameEndsInWholeCharacter(section) ||
      !NameEndsInWholeCharacter(key)) {
    return false;
  }
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), std::string(file).c_str()) != FALSE;
}

}  // namespace platform
