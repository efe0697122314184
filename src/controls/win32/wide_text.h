#pragma once
// The user interface's texts are UTF-8; the Win32 calls that show them are the W ones,
// which take UTF-16. Every Win32 front-end file converts here, at the seam, and nowhere
// else. A byte sequence that is not UTF-8 becomes U+FFFD, so nothing fails on display.
#include <string>
#include <string_view>

namespace controls {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace controls
