#pragma once
// One grid row's cells in one block of UTF-16: a 100 000-line snapshot is 400 000 cells,
// and under Wine every heap block costs far more than copying the characters, so a row
// is one allocation, not one per cell. The block starts with the cell count and each
// cell's end (32 bits each, as two code units), then the cells back to back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

class PackedRow {
 public:
  PackedRow() = default;
  // The cells given as UTF-8.
  explicit PackedRow(const std::vector<std::string>& cells);

  std::size_t Size() const { return packed_.empty() ? 0 : Number(0); }
  // The cell's text; empty for a cell the row does not have.
  std::wstring_view Cell(std::size_t col) const;
  // Sets a cell; a cell beyond the row's end adds empty cells before it.
  void Set(std::size_t col, std::wstring_view text);
  // Drops the cells at and beyond `count`.
  void Truncate(std::size_t count);

 private:
  static constexpr std::size_t kNumberUnits = 2;
  std::uint32_t Number(std::size_t index) const;
  std::size_t HeaderUnits() const { return kNumberUnits * (1 + Size()); }
  std::size_t End(std::size_t col) const { return Number(1 + col); }
  // Makes the block from cells already in UTF-16.
  void Pack(const std::vector<std::wstring_view>& cells);

  std::wstring packed_;
};

}  // namespace controls
