#include "controls/memory_grid.h"

#include <algorithm>
#include <stdexcept>

namespace controls {

void MemoryGrid::SetCols(int count) {
  if (count < 0) throw std::invalid_argument("Invalid column count");
  const auto size = static_cast<std::size_t>(count);
  titles_.resize(size);
  for (auto& row : rows_) {
    if (row.size() > size) row.resize(size);
  }
}

void MemoryGrid::SetFormatString(std::string_view titles) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = titles.find('|', start)) != std::string_view::npos;
       start = bar + 1) {
    parts.emplace_back(titles.substr(start, bar - start));
  }
  parts.emplace_back(titles.substr(start));
  if (parts.size() > titles_.size()) titles_.resize(parts.size());
  for (std::size_t c = 0; c < titles_.size(); ++c) {
    titles_[c] = c < parts.size() ? parts[c] : std::string();
  }
}

void MemoryGrid::SetColAlignment(int col, AlignmentAttribute attribute, int code) {
  CheckColumn(*this, col);
  if (code < 0 || code > 9) throw std::invalid_argument("Invalid alignment code");
  alignments_[{col, attribute}] = code;
}

void MemoryGrid::SetRows(int count) {
  rows_.resize(static_cast<std::size_t>(std::max(count, FixedRows()) - FixedRows()));
}

void MemoryGrid::AddItem(const std::vector<std::string>& cells) {
  AddItem(cells, Rows());
}

void MemoryGrid::AddItem(const std::vector<std::string>& cells, int index) {
  CheckInsertIndex(*this, index);
  if (cells.size() > titles_.size()) titles_.resize(cells.size());
  rows_.insert(rows_.begin() + (index - FixedRows()), cells);
}

void MemoryGrid::SetTextMatrix(int row, int col, std::string_view text) {
  CheckCell(*this, row, col);
  if (row == 0) {
    titles_[static_cast<std::size_t>(col)] = text;
    return;
  }
  auto& cells = rows_[static_cast<std::size_t>(row - FixedRows())];
  if (cells.size() <= static_cast<std::size_t>(col))
    cells.resize(static_cast<std::size_t>(col) + 1);
  cells[static_cast<std::size_t>(col)] = text;
}

std::string MemoryGrid::TextMatrix(int row, int col) const {
  CheckCell(*this, row, col);
  if (row == 0) return titles_[static_cast<std::size_t>(col)];
  const auto& cells = rows_[static_cast<std::size_t>(row - FixedRows())];
  return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)]
                                                      : std::string();
}

void MemoryGrid::AutoSize(int firstCol, int lastCol) {
  CheckColumnRange(*this, firstCol, lastCol);
  fits_.emplace_back(firstCol, lastCol);
}

std::vector<std::vector<std::string>> MemoryGrid::DataRows() const {
  auto rows = rows_;
  for (auto& row : rows) row.resize(titles_.size());
  return rows;
}

int MemoryGrid::Alignment(int col, AlignmentAttribute attribute) const {
  const auto found = alignments_.find({col, attribute});
  return found == alignments_.end() ? -1 : found->second;
}

}  // namespace controls
