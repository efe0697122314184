#pragma once
// Private-profile (INI) files, written one entry at a time the way Windows'
// WritePrivateProfileStringA does. All texts are 8-bit in the ANSI code page; the file
// path is a Windows-style path (see paths.h).
#include <string_view>

namespace platform {

// Sets key=value in [section] of the file. Creates the file (never its folder), the
// section or the key when missing. Returns false when the platform refuses the write.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file);

}  // namespace platform
