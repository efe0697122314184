#include "controls/win32/packed_row.h"

#include <algorithm>

#include "controls/win32/wide_text.h"
#include "platform/ansi_codepage.h"

namespace controls {
namespace {

void AppendNumber(std::wstring& packed, std::size_t number) {
  packed.push_back(static_cast<wchar_t>(number & 0xFFFF));
  packed.push_back(static_cast<wchar_t>((number >> 16) & 0xFFFF));
}

void PutNumber(std::wstring& packed, std::size_t index, std::size_t number) {
  packed[2 * index] = static_cast<wchar_t>(number & 0xFFFF);
  packed[2 * index + 1] = static_cast<wchar_t>((number >> 16) & 0xFFFF);
}

// Writes the cell count and room for the cells' ends; returns where the texts start.
std::size_t BeginBlock(std::wstring& packed, std::size_t count) {
  AppendNumber(packed, count);
  for (std::size_t i = 0; i < count; ++i) AppendNumber(packed, 0);
  return packed.size();
}

}  // namespace

PackedRow::PackedRow(const std::vector<std::string>& cells) {
  std::size_t units = 0;
  for (const std::string& cell : cells) units += cell.size();  // UTF-16 is never longer
  packed_.reserve(kNumberUnits * (1 + cells.size()) + units);
  const std::size_t start = BeginBlock(packed_, cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string& cell = cells[i];
    // ASCII widens in place; anything else goes through the system's conversion.
    if (platform::IsAscii(cell)) {
      packed_.append(cell.begin(), cell.end());
    } else {
      packed_ += Wide(cell);
    }
    PutNumber(packed_, 1 + i, packed_.size() - start);
  }
}

std::uint32_t PackedRow::Number(std::size_t index) const {
  return static_cast<std::uint32_t>(static_cast<std::uint16_t>(packed_[2 * index])) |
         (static_cast<std::uint32_t>(static_cast<std::uint16_t>(packed_[2 * index + 1])) << 16);
}

std::wstring_view PackedRow::Cell(std::size_t col) const {
  if (col >= Size()) return {};
  const std::size_t begin = col == 0 ? 0 : End(col - 1);
  return std::wstring_view(packed_).substr(HeaderUnits() + begin, End(col) - begin);
}

void PackedRow::Set(std::size_t col, std::wstring_view text) {
  const std::size_t count = std::max(Size(), col + 1);
  std::vector<std::wstring> copies;  // the old block is rebuilt, so its texts are copied out
  for (std::size_t c = 0; c < count; ++c) {
    copies.emplace_back(c == col ? text : Cell(c));
  }
  Pack(std::vector<std::wstring_view>(copies.begin(), copies.end()));
}

void PackedRow::Truncate(std::size_t count) {
  if (count >= Size()) return;
  std::vector<std::wstring> copies;
  for (std::size_t c = 0; c < count; ++c) copies.emplace_back(Cell(c));
  Pack(std::vector<std::wstring_view>(copies.begin(), copies.end()));
}

void PackedRow::Pack(const std::vector<std::wstring_view>& cells) {
  std::wstring packed;
  const std::size_t start = BeginBlock(packed, cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    packed += cells[i];
    PutNumber(packed, 1 + i, packed.size() - start);
  }
  packed_ = std::move(packed);
}

}  // namespace controls
