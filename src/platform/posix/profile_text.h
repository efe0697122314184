#pragma once
// The text side of the posix private-profile writer: one entry set in the bytes of an
// INI file, every other byte left as it was.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ansi_codepage.h"

namespace platform::posix {

// Byte length of the character at a position of a text, so that an ASCII byte inside a
// longer character is never taken for "[", "]" or "=".
using CharacterLengthFunction = std::size_t (*)(std::string_view, std::size_t);

// The file content with key=value set in [section]. Section and key match ignoring
// ASCII case and the blanks around names; the first matching section and, in it, the
// first matching key are used. An existing entry line is replaced by the file's key
// spelling, "=", the value and CR LF. A new key goes right after the last entry of the
// section (blank and comment lines that close the section stay below it, with whatever
// they introduce); a new section goes at the end of the file, without a blank line.
// Names are written without surrounding blanks, the value exactly as given. Texts must
// hold no CR, LF or NUL (the caller refuses them). The content and the texts are in the
// ANSI code page unless `characterLength` says otherwise.
std::string SetProfileEntry(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value,
                            CharacterLengthFunction characterLength = &CharacterLength);

}  // namespace platform::posix
