#include "snapshot/record_cells.h"

#include <algorithm>

#include "platform/ansi_codepage.h"
#include "platform/byte_find.h"

namespace bmRegistry {

std::vector<std::string> SplitCells(std::string_view text, std::string_view separators) {
  std::vector<std::string> cells(1);
  std::size_t cellStart = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = platform::CharacterLength(text, pos);
    if (length == 1 && separators.find(text[pos]) != std::string_view::npos) {
      cells.back().assign(text.substr(cellStart, pos - cellStart));
      cells.emplace_back();
      cellStart = pos + 1;
    }
    pos += length;
  }
  cells.back().assign(text.substr(cellStart));
  return cells;
}

void AppendJoined(std::string& out, std::string_view text, std::string_view separators,
                  char joiner) {
  if (!platform::HoldsAnyOf(text, separators)) {
    out += text;
    return;
  }
  const std::size_t start = out.size();
  out += text;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = platform::CharacterLength(text, pos);
    if (length == 1 && separators.find(text[pos]) != std::string_view::npos) {
      out[start + pos] = joiner;
    }
    pos += length;
  }
}

std::string WithoutNuls(std::string_view text) {
  std::string kept(text);
  kept.erase(std::remove(kept.begin(), kept.end(), '\0'), kept.end());
  return kept;
}

std::vector<std::string> DecodeCells(const std::vector<std::string>& cells) {
  std::vector<std::string> decoded;
  decoded.reserve(cells.size());
  for (const std::string& cell : cells) decoded.push_back(platform::AnsiToUtf8(cell));
  return decoded;
}

}  // namespace bmRegistry
