#include "platform/profile_writer.h"

#include <windows.h>

#include <string>

namespace platform {

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), std::string(file).c_str()) != FALSE;
}

}  // namespace platform
