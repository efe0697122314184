#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>

#include "platform/ansi_codepage.h"
#include "platform/posix/code_set.h"

namespace platform::posix {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// One iconv conversion descriptor, closed with its owner.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at `pos`, 0 when the bytes there are not one
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  unsigned minimum = 0;
  if (byte < 0x80) return 1;
  if (byte >= 0xC2 && byte <= 0xDF) {
    length = 2;
    minimum = 0x80;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    length = 3;
    minimum = 0x800;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    length = 4;
    minimum = 0x10000;
  } else {
    return 0;
  }
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

// Valid UTF-8 as it is; each byte that starts no valid sequence becomes U+FFFD.
std::string SanitiseUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) {
      out += kReplacementCharacter;
      ++pos;
    } else {
      out.append(text.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

// Converts all of `input`; what cannot be converted becomes `replacement` and the
// conversion goes on after it (after the whole character when the input is UTF-8).
// ANSI code pages are stateless, so there is no shift state to flush at the end.
std::string Convert(std::string_view input, const Iconv& cd, bool inputIsUtf8,
                    std::string_view replacement) {
  std::string out;
  out.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && error != E2BIG) {
      out.append(replacement);
      std::size_t skip = 1;
      if (inputIsUtf8) {
        const std::size_t length = Utf8SequenceLength(std::string_view(in, inLeft), 0);
        if (length != 0) skip = length;
      }
      in += skip;
      inLeft -= skip;
      iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

bool NamesUtf8(std::string_view name) {
  std::string folded;
  for (const char c : name) {
    if (c == '-' || c == '_') continue;
    folded += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  return folded.empty() || folded == "UTF8" || folded == "ASCII" || folded == "ANSIX3.41968";
}

}  // namespace

CodeSet::CodeSet(std::string_view name) : name_(name) {
  utf8_ = NamesUtf8(name_);
  if (!utf8_) {
    const Iconv cd("UTF-8", name_);
    utf8_ = !cd.valid() || !Iconv(name_, "UTF-8").valid();
    // A byte that is an incomplete character on its own is a lead byte.
    for (int byte = 0x80; !utf8_ && byte <= 0xFF; ++byte) {
      char input = static_cast<char>(byte);
      char* in = &input;
      std::size_t inLeft = 1;
      char output[8];
      char* out = output;
      std::size_t outLeft = sizeof output;
      iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) &&
          errno == EINVAL) {
        leadByte_[static_cast<std::size_t>(byte)] = true;
      }
    }
  }
  if (utf8_) name_ = "UTF-8";
}

std::string CodeSet::ToUtf8(std::string_view bytes) const {
  if (utf8_) return SanitiseUtf8(bytes);
  return Convert(bytes, Iconv("UTF-8", name_), false, kReplacementCharacter);
}

std::string CodeSet::FromUtf8(std::string_view utf8) const {
  if (utf8_) return std::string(utf8);
  return Convert(utf8, Iconv(name_, "UTF-8"), true, "?");
}

std::size_t CodeSet::CharacterLength(std::string_view bytes, std::size_t pos) const {
  // In UTF-8 no ASCII byte is ever part of a longer character, so stepping byte by byte
  // is exact for the ASCII rules ("\", "|", "]") that use this.
  const bool lead = leadByte_[static_cast<unsigned char>(bytes[pos])];
  return lead && pos + 1 < bytes.size() ? 2 : 1;
}

const CodeSet& LocaleCodeSet() {
  static const CodeSet codeSet = [] {
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return CodeSet("");
    CodeSet result(nl_langinfo_l(CODESET, locale));
    freelocale(locale);
    return result;
  }();
  return codeSet;
}

}  // namespace platform::posix

namespace platform {

std::string AnsiToUtf8(std::string_view ansi) {
  return posix::LocaleCodeSet().ToUtf8(ansi);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return posix::LocaleCodeSet().FromUtf8(utf8);
}

std::size_t CharacterLength(std::string_view ansi, std::size_t pos) {
  // No code page has a lead byte below 0x80, and the store's and the snapshot's byte
  // rules ask this for every byte of every name: answer ASCII without the lookup.
  if (static_cast<unsigned char>(ansi[pos]) < 0x80) return 1;
  return posix::LocaleCodeSet().CharacterLength(ansi, pos);
}

}  // namespace platform
