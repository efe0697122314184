#pragma once
// UTF-8 and UTF-16LE, the encoding of Unicode INI files and of the registry's own export
// files (version 5), and exact conversions between the ANSI code page and Unicode.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Valid UTF-8 as UTF-16LE bytes, two or four a character.
std::string Utf8ToUtf16Le(std::string_view utf8);
// The same, appended to `out`.
void AppendUtf8AsUtf16Le(std::string& out, std::string_view utf8);

// UTF-16LE bytes as UTF-8; false for an odd byte count or a surrogate without its pair.
bool Utf16LeToUtf8(std::string_view bytes, std::string& utf8);

// ANSI text in UTF-8, nothing when the code page does not convert it exactly (a byte it
// cannot decode would come back as other bytes).
std::optional<std::string> ExactlyAsUtf8(std::string_view ansi);

// UTF-8 in the ANSI code page, nothing when the code page cannot hold it exactly.
std::optional<std::string> ExactlyAsAnsi(std::string_view utf8);

}  // namespace platform
