#pragma once
// On posix the locale's codeset stands for the ANSI code page. A CodeSet converts one
// named codeset through iconv; the public functions of ansi_codepage.h use the
// locale's, and tests build others ("BIG5") without having such a locale installed.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::posix {

class CodeSet {
 public:
  // An iconv codeset name. An empty name, ASCII (the "C" locale's codeset) and a name
  // iconv does not know are taken as UTF-8, as the toolkit does: bytes above 127 then
  // still decode.
  explicit CodeSet(std::string_view name);

  const std::string& name() const { return name_; }

  // Undecodable bytes become U+FFFD; valid UTF-8 passes through a UTF-8 codeset as it is.
  std::string ToUtf8(std::string_view bytes) const;
  // Characters the codeset cannot hold become "?".
  std::string FromUtf8(std::string_view utf8) const;
  // 2 for a lead byte with a byte after it in a double-byte codeset, else 1.
  std::size_t CharacterLength(std::string_view bytes, std::size_t pos) const;

 private:
  std::string name_;
  bool utf8_ = true;
  // Bytes that iconv reports as an incomplete character on their own.
  std::array<bool, 256> leadByte_{};
};

// The codeset of the user's locale (LC_ALL, LC_CTYPE, LANG), looked up once. It does not
// depend on whether the program has called setlocale yet.
const CodeSet& LocaleCodeSet();

}  // namespace platform::posix
