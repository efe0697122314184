#include "platform/ansi_codepage.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace platform {
namespace {

// The locale's codeset stands for the ANSI code page. The "C" locale's ASCII is taken
// as UTF-8, as the toolkit does: bytes above 127 then still decode.
struct CodeSet {
  std::string name;
  bool utf8 = true;
};

const CodeSet& CurrentCodeSet() {
  static const CodeSet codeSet = [] {
    CodeSet result;
    const char* name = nl_langinfo(CODESET);
    result.name = name != nullptr ? name : "";
    result.utf8 = result.name.empty() || result.name == "UTF-8" || result.name == "utf8" ||
                  result.name == "ANSI_X3.4-1968" || result.name == "ASCII";
    if (result.utf8) result.name = "UTF-8";
    return result;
  }();
  return codeSet;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  unsigned minimum = 0;
  if (byte < 0x80) return 1;
  if (byte >= 0xC2 && byte <= 0xDF) { length = 2; minimum = 0x80; }
  else if (byte >= 0xE0 && byte <= 0xEF) { length = 3; minimum = 0x800; }
  else if (byte >= 0xF0 && byte <= 0xF4) { length = 4; minimum = 0x10000; }
  else return 0;
  if (pos + length > text.size()) return 0;
  unsigned code = byte & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// Valid UTF-8 as it is; each invalid byte becomes U+FFFD.
std::string SanitiseUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++pos;
    } else {
      out.append(text.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

std::string Convert(std::string_view input, const char* from, const char* to,
                    std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
  std::string out;
  out.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An undecodable byte or an unrepresentable character: replace it and go on.
      out.append(replacement);
      std::size_t skip = 1;
      if (std::strcmp(from, "UTF-8") == 0) {
        const std::size_t length = Utf8SequenceLength(std::string_view(in, inLeft), 0);
        skip = length == 0 ? 1 : length;
      }
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  const CodeSet& codeSet = CurrentCodeSet();
  if (codeSet.utf8) return SanitiseUtf8(ansi);
  return Convert(ansi, codeSet.name.c_str(), "UTF-8", "\xEF\xBF\xBD");
}

std::string Utf8ToAnsi(std::string_view utf8) {
  const CodeSet& codeSet = CurrentCodeSet();
  if (codeSet.utf8) return std::string(utf8);
  return Convert(utf8, "UTF-8", codeSet.name.c_str(), "?");
}

std::size_t CharacterLength(std::string_view ansi, std::size_t pos) {
  // In UTF-8 and single-byte code sets no ASCII byte is ever part of a longer
  // character, so stepping byte by byte is exact for the ASCII rules that use this.
  if (CurrentCodeSet().utf8 || MB_CUR_MAX == 1) return 1;
  std::mbstate_t state{};
  const std::size_t length = std::mbrlen(ansi.data() + pos, ansi.size() - pos, &state);
  return (length == 0 || length > ansi.size() - pos) ? 1 : length;
}

}  // namespace platform
