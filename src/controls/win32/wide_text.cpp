#include "controls/win32/wide_text.h"

#include <windows.h>

#include <algorithm>

#include "platform/ansi_codepage.h"

namespace controls {
namespace {

// Most texts the tool shows (names, numbers, paths) are ASCII, the same in every
// encoding: they are widened or narrowed here, without a call into the system per text.
bool IsAscii(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

}  // namespace

// Without MB_ERR_INVALID_CHARS, bytes that are not UTF-8 become U+FFFD.
std::wstring Wide(std::string_view utf8) {
  if (platform::IsAscii(utf8)) return std::wstring(utf8.begin(), utf8.end());
  const int inLength = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (IsAscii(wide)) {
    std::string ascii(wide.size(), '\0');
    std::transform(wide.begin(), wide.end(), ascii.begin(),
                   [](wchar_t c) { return static_cast<char>(c); });
    return ascii;
  }
  const int inLength = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace controls
