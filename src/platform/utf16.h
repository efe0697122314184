#pragma once
// UTF-8 and UTF-16LE, the encoding of the registry's own export files (version 5).
#include <string>
#include <string_view>

namespace platform {

// Valid UTF-8 as UTF-16LE bytes, two or four a character.
std::string Utf8ToUtf16Le(std::string_view utf8);

// UTF-16LE bytes as UTF-8; false for an odd byte count or a surrogate without its pair.
bool Utf16LeToUtf8(std::string_view bytes, std::string& utf8);

}  // namespace platform
