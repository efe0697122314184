#include "platform/utf16.h"

#include <cstdint>

#include "platform/ansi_codepage.h"

namespace platform {
namespace {

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

}  // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  AppendUtf8AsUtf16Le(out, utf8);
  return out;
}

void AppendUtf8AsUtf16Le(std::string& out, std::string_view utf8) {
  // Written in place: a UTF-8 byte takes at most two bytes in UTF-16 (a character of
  // four bytes takes four), and an export file is 9 MB of such characters.
  std::size_t at = out.size();
  out.resize(at + 2 * utf8.size());
  char* const units = out.data();
  const auto put = [&](std::uint32_t unit) {
    units[at++] = static_cast<char>(unit & 0xFF);
    units[at++] = static_cast<char>(unit >> 8);
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
      put(lead);
      ++pos;
      continue;
    }
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length && pos + i < utf8.size(); ++i) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
    }
    pos += length;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 | (code >> 10));
      put(0xDC00 | (code & 0x3FF));
    } else {
      put(code);
    }
  }
  out.resize(at);
}

bool Utf16LeToUtf8(std::string_view bytes, std::string& utf8) {
  if (bytes.size() % 2 != 0) return false;
  utf8.reserve(utf8.size() + bytes.size());
  const auto unitAt = [&bytes](std::size_t pos) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
  };
  for (std::size_t pos = 0; pos < bytes.size(); pos += 2) {
    std::uint32_t code = unitAt(pos);
    if (code >= 0xDC00 && code < 0xE000) return false;
    if (code >= 0xD800 && code < 0xDC00) {
      if (pos + 2 >= bytes.size()) return false;
      const std::uint32_t low = unitAt(pos + 2);
      if (low < 0xDC00 || low >= 0xE000) return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      pos += 2;
    }
    AppendUtf8(utf8, code);
  }
  return true;
}

std::optional<std::string> ExactlyAsUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  std::string utf8 = AnsiToUtf8(ansi);
  if (Utf8ToAnsi(utf8) != ansi) return std::nullopt;
  return utf8;
}

std::optional<std::string> ExactlyAsAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string ansi = Utf8ToAnsi(utf8);
  if (AnsiToUtf8(ansi) != utf8) return std::nullopt;
  return ansi;
}

}  // namespace platform
