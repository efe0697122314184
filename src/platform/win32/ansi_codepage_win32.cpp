#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/win32/ansi_wide_win32.h"

namespace platform {
namespace {

constexpr std::wstring_view kReplacement = L"\xFFFD";

// Converts one run of bytes; false when the code page cannot decode all of it.
bool DecodeStrictly(UINT codePage, std::string_view bytes, std::wstring& out) {
  const int inLength = static_cast<int>(bytes.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
  if (length <= 0) return false;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(length));
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, out.data() + start,
                      length);
  return true;
}

// The bytes of the character at `pos`: for UTF-8 the longest valid sequence (a bad
// byte alone), else one or two bytes as the double-byte code page's lead bytes say.
std::size_t CharacterBytes(UINT codePage, std::string_view bytes, std::size_t pos) {
  if (codePage != CP_UTF8) return CharacterLength(bytes, pos);
  for (std::size_t n = std::min<std::size_t>(4, bytes.size() - pos); n > 1; --n) {
    std::wstring probe;
    if (DecodeStrictly(codePage, bytes.substr(pos, n), probe)) return n;
  }
  return 1;
}

std::wstring Decode(UINT codePage, std::string_view bytes) {
  std::wstring wide;
  if (bytes.empty() || DecodeStrictly(codePage, bytes, wide)) return wide;
  // Somewhere a byte sequence does not decode: go character by character so that only
  // the bad ones become U+FFFD (the system would put its own default character there).
  wide.clear();
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = CharacterBytes(codePage, bytes, pos);
    if (DecodeStrictly(codePage, bytes.substr(pos, length), wide)) {
      pos += length;
    } else {
      // Only the bad byte goes: a lead byte before a byte that cannot trail it must not
      // take that byte with it.
      wide += kReplacement;
      ++pos;
    }
  }
  return wide;
}

std::string Encode(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return std::string();
  // No "best fit" look-alikes: a character the code page lacks becomes "?". UTF-8 takes
  // neither the flag nor a default character.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* defaultChar = utf8 ? nullptr : "?";
  const int inLength = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0, defaultChar, nullptr);
  if (length <= 0) return std::string();
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), inLength, out.data(), length, defaultChar,
                      nullptr);
  return out;
}

}  // namespace

// GetACP() rather than CP_ACP, so that a system whose ANSI code page is UTF-8 is
// recognised as such.
// ASCII text passes straight through: two conversions per cell made a 100 000-line
// snapshot take a third of a second longer to show.
std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  return Encode(CP_UTF8, Decode(GetACP(), ansi));
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Encode(GetACP(), Decode(CP_UTF8, utf8));
}

std::string Utf8ToConsole(std::string_view utf8) {
  const UINT console = GetConsoleOutputCP();
  return Encode(console != 0 ? console : GetACP(), Decode(CP_UTF8, utf8));
}

namespace win32 {

std::wstring AnsiToWide(std::string_view ansi) {
  const int inLength = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, wide.data(), length);
  return wide;
}

bool AnsiToWideExactly(std::string_view ansi, std::wstring& wide) {
  wide.clear();
  if (IsAscii(ansi)) {
    wide.assign(ansi.begin(), ansi.end());
    return true;
  }
  // Strict decoding alone is not enough: a code page may decode two byte sequences to
  // one character, and then only one of them comes back.
  std::string back;
  return DecodeStrictly(GetACP(), ansi, wide) && WideToAnsiExactly(wide, back) && back == ansi;
}

bool WideToAnsiExactly(std::wstring_view wide, std::string& ansi) {
  const bool ascii = std::all_of(wide.begin(), wide.end(), [](wchar_t c) { return c < 0x80; });
  if (ascii) {
    ansi.assign(wide.begin(), wide.end());
    return true;
  }
  ansi = Encode(GetACP(), wide);
  // Encode puts "?" where a character is missing (or, for UTF-8, U+FFFD for a lone
  // surrogate); only the way back tells every such change.
  std::wstring back;
  return DecodeStrictly(GetACP(), ansi, back) && back == wide;
}

}  // namespace win32

std::size_t CharacterLength(std::string_view ansi, std::size_t pos) {
  const bool lead = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(ansi[pos])) != FALSE;
  return lead && pos + 1 < ansi.size() ? 2 : 1;
}

}  // namespace platform
