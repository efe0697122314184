#include "platform/profile_writer.h"

#include <string>

#include "platform/ansi_codepage.h"
#include "platform/blanks.h"

namespace platform {

bool FitsOnOneProfileLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool NameEndsInWholeCharacter(std::string_view name) {
  name = TrimBlanks(name);
  const std::string followed = std::string(name) + '=';
  std::size_t pos = 0;
  while (pos < name.size()) pos += CharacterLength(followed, pos);
  return pos == name.size();
}

}  // namespace platform
