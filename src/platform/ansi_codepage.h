#pragma once
// The system's 8-bit ANSI code page. Registry names and data, snapshot lines and INI
// texts stay 8-bit bytes; the user interface works in UTF-8 and converts at the seam.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True when every byte is ASCII: such text reads the same in every ANSI code page and in
// UTF-8, so it needs no conversion (most names and values are ASCII).
inline bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Bytes in the ANSI code page -> UTF-8. A byte sequence the code page cannot decode
// becomes U+FFFD, so nothing fails on display.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 -> the ANSI code page. A character the code page cannot hold becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

#ifdef _WIN32
// UTF-8 -> the bytes a console program writes to a file or a pipe: the console's output
// code page (the ANSI code page without a console). A character it cannot hold becomes
// "?". A console itself is written UTF-16; a Linux terminal takes UTF-8 as it is.
std::string Utf8ToConsole(std::string_view utf8);
#endif

// Byte length of the character that starts at `pos`: 2 for a lead and trail byte of a
// double-byte code page, else 1 (also for a lead byte cut off at the end). Byte-level
// rules on names and lines ("\" and "|" are valid trail bytes in code page 950) step
// over whole characters with it.
std::size_t CharacterLength(std::string_view ansi, std::size_t pos);

}  // namespace platform
