#include <cstdint>

#include "platform/ansi_codepage.h"
#include "platform/posix/profile_encoding.h"
#include "platform/posix/profile_text.h"

namespace platform::posix {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// In UTF-8 no byte of a longer character is an ASCII byte, so the line rules may look
// at every byte on its own.
std::size_t OneByte(std::string_view, std::size_t) {
  return 1;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16LE -> UTF-8, nothing for an odd byte count or a lone surrogate: only text that
// converts both ways exactly keeps every code unit of the file.
std::optional<std::string> Utf16LeToUtf8(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  const auto unitAt = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
  };
  const std::size_t units = bytes.size() / 2;
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t code = unitAt(i);
    if (code >= 0xDC00 && code <= 0xDFFF) return std::nullopt;
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 1 == units) return std::nullopt;
      const std::uint32_t low = unitAt(++i);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
  }
  return out;
}

void AppendUtf16Le(std::string& out, std::uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// UTF-8 that Utf16LeToUtf8 made, or that the code page conversion made, is valid.
std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length && pos + i < utf8.size(); ++i) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
    }
    pos += length;
    if (code >= 0x10000) {
      AppendUtf16Le(out, 0xD800 + ((code - 0x10000) >> 10));
      AppendUtf16Le(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      AppendUtf16Le(out, code);
    }
  }
  return out;
}

// The text in UTF-8, nothing when the code page does not convert it exactly (a byte
// it cannot decode would reach the file as U+FFFD).
std::optional<std::string> ExactlyAsUtf8(std::string_view ansi) {
  std::string utf8 = AnsiToUtf8(ansi);
  if (Utf8ToAnsi(utf8) != ansi) return std::nullopt;
  return utf8;
}

}  // namespace

std::optional<std::string> SetProfileEntryInEncoding(std::string_view content,
                                                     std::string_view section, std::string_view key,
                                                     std::string_view value) {
  if (content.starts_with(kUtf16BeBom)) return std::nullopt;
  if (!content.starts_with(kUtf16LeBom)) return SetProfileEntry(content, section, key, value);
  // The byte order mark becomes the UTF-8 one, which the line rules step over.
  const std::optional<std::string> text = Utf16LeToUtf8(content);
  const std::optional<std::string> sectionText = ExactlyAsUtf8(section);
  const std::optional<std::string> keyText = ExactlyAsUtf8(key);
  const std::optional<std::string> valueText = ExactlyAsUtf8(value);
  if (!text || !sectionText || !keyText || !valueText) return std::nullopt;
  return Utf8ToUtf16Le(SetProfileEntry(*text, *sectionText, *keyText, *valueText, &OneByte));
}

}  // namespace platform::posix
