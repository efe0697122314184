#include <windows.h>

#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/console.h"

namespace platform {
namespace {

// A stream the parent redirected (to a file or a pipe) is kept; one a windowed program
// started without gets the console.
bool Usable(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void UseParentConsole() {
  const bool output = Usable(STD_OUTPUT_HANDLE);
  const bool error = Usable(STD_ERROR_HANDLE);
  if (output && error) return;
  if (GetConsoleWindow() == nullptr && !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!output) std::freopen("CONOUT$", "w", stdout);
  if (!error) std::freopen("CONOUT$", "w", stderr);
}

// A standard stream that takes UTF-8 text. A console gets it as UTF-16, the console's
// own wide output, so every character shows whatever the console's code page; a file or
// a pipe gets the console's code-page bytes through the runtime's stream, as callers of
// a console program expect (with its CR LF line ends).
class ConsoleStream final : public std::streambuf {
 public:
  ConsoleStream(std::FILE* file, std::streambuf* bytes) : bytes_(bytes) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) console_ = handle;
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    return c;
  }

  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    // Long output goes out in whole lines, so no character is cut in two.
    constexpr std::size_t kChunk = 1 << 16;
    if (pending_.size() >= kChunk) {
      const std::size_t lineEnd = pending_.rfind('\n');
      if (lineEnd != std::string::npos && !Deliver(lineEnd + 1)) return 0;
    }
    return count;
  }

  int sync() override { return Deliver(pending_.size()) ? 0 : -1; }

 private:
  bool Deliver(std::size_t length) {
    const std::string_view text(pending_.data(), length);
    const bool delivered = console_ != nullptr ? WriteWide(text) : WriteBytes(text);
    pending_.erase(0, length);
    return delivered;
  }

  bool WriteWide(std::string_view utf8) {
    if (utf8.empty()) return true;
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
    DWORD written = 0;
    return WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != FALSE;
  }

  bool WriteBytes(std::string_view utf8) {
    const std::string bytes = Utf8ToConsole(utf8);
    return bytes_->sputn(bytes.data(), static_cast<std::streamsize>(bytes.size())) ==
               static_cast<std::streamsize>(bytes.size()) &&
           bytes_->pubsync() == 0;
  }

  std::streambuf* bytes_;
  HANDLE console_ = nullptr;
  std::string pending_;
};

}  // namespace

void PrepareStandardStreams() {
  UseParentConsole();
  // Kept for the life of the process: the runtime flushes the streams at its very end.
  std::cout.rdbuf(new ConsoleStream(stdout, std::cout.rdbuf()));
  std::cerr.rdbuf(new ConsoleStream(stderr, std::cerr.rdbuf()));
}

}  // namespace platform
