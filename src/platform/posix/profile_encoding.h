#pragma once
// An INI file is edited in its own encoding, as Windows' private-profile writer does:
// a file that begins with the UTF-16LE byte order mark is a Unicode file and gets its
// entry in UTF-16LE; every other file is 8-bit text in the ANSI code page.
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// The file content with key=value set in [section] (see SetProfileEntry), written in
// the file's encoding; the three texts are in the ANSI code page. Nothing when the file
// cannot be edited without damage: UTF-16 cut short in the middle of a code unit or
// holding a lone surrogate, a UTF-16 big-endian file, or, for a Unicode file, a text
// that the code page does not convert exactly.
std::optional<std::string> SetProfileEntryInEncoding(std::string_view content,
                                                     std::string_view section, std::string_view key,
                                                     std::string_view value);

}  // namespace platform::posix
