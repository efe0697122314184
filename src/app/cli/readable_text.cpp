#include "app/cli/readable_text.h"

namespace app {

std::string Readable(std::string_view utf8) {
  constexpr char kHexDigits[] = "0123456789abcdef";
  std::string readable;
  readable.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': readable += "\\\\"; break;
      case '\t': readable += "\\t"; break;
      case '\r': readable += "\\r"; break;
      case '\n': readable += "\\n"; break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          readable += "\\x";
          readable += kHexDigits[byte >> 4];
          readable += kHexDigits[byte & 0xf];
        } else {
          readable += c;
        }
    }
  }
  return readable;
}

}  // namespace app
