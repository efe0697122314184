#pragma once
// Private-profile (INI) files, written one entry at a time the way Windows'
// WritePrivateProfileStringA does. All texts are 8-bit in the ANSI code page; the file
// path is a Windows-style path (see paths.h).
#include <string_view>

namespace platform {

// Sets key=value in [section] of the file. Creates the file (never its folder), the
// section or the key when missing. Returns false when the platform refuses the write,
// and for a text that is not FitsOnOneProfileLine or a name that is not
// NameEndsInWholeCharacter, which no backend writes.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file);

// False for a text with a line break, which would add lines of its own to the file
// (another key, or a section header), or with a NUL, which would cut it short.
bool FitsOnOneProfileLine(std::string_view text);

// False for a section or key name that ends in the lead byte of a double-byte character
// (blanks around it aside): that byte would swallow the "]" or "=" written after it, so
// the line would not read back as the name asked for and every later write of it would
// add another line. Such a name is no text of the code page.
bool NameEndsInWholeCharacter(std::string_view name);

}  // namespace platform
