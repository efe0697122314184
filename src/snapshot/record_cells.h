#pragma once
// Byte rules on 8-bit ANSI text that must not split a double-byte character: in code
// page 950 "\", "|" and "," can be the trail byte of a Chinese character.
#include <string>
#include <string_view>
#include <vector>

namespace bmRegistry {

// The text cut at every byte of `separators` that stands as a character of its own.
// An empty text is one empty cell.
std::vector<std::string> SplitCells(std::string_view text, std::string_view separators);

// Appends the cells of SplitCells(text, separators) to `out`, parted by `joiner`,
// without making them: every byte of `separators` that stands as a character of its own
// is written as `joiner`.
void AppendJoined(std::string& out, std::string_view text, std::string_view separators,
                  char joiner);

// The text without any NUL byte.
std::string WithoutNuls(std::string_view text);

// The cells decoded from the ANSI code page for the grid.
std::vector<std::string> DecodeCells(const std::vector<std::string>& cells);

}  // namespace bmRegistry
