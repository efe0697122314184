#pragma once
// The ANSI code page against the UTF-16 text Windows keeps. The registry holds names and
// string data as UTF-16 and the 8-bit calls convert silently ("?" for a character the
// code page lacks); these conversions tell when a text does not come through exactly.
#include <string>
#include <string_view>

namespace platform::win32 {

// As the 8-bit file calls convert a path: a byte that is no character stays a character
// of its own, so nothing fails here and the system refuses the name if it must.
std::wstring AnsiToWide(std::string_view ansi);

// The registry's form of ANSI bytes; false when a byte sequence is not a character of
// the code page (the text then could not come back as it was).
bool AnsiToWideExactly(std::string_view ansi, std::wstring& wide);

// UTF-16 text in the ANSI code page; false when a character has no exact form there (it
// then stands as "?" in `ansi`, as the 8-bit calls would give it).
bool WideToAnsiExactly(std::wstring_view wide, std::string& ansi);

}  // namespace platform::win32
