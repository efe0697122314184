#pragma once
// Setting data as part of one line of a command's output, whatever the data holds.
#include <string>
#include <string_view>

namespace app {

// A tab, a line end or another control character can neither split a line nor pass
// for a blank, and a "\" stays unambiguous: "\t", "\r", "\n", "\xNN" and "\\" stand for
// them. Everything else (UTF-8 text) is kept.
std::string Readable(std::string_view utf8);

}  // namespace app
