#include "controls/grid.h"

#include <stdexcept>

namespace controls {
namespace {

[[noreturn]] void OutOfRange() {
  throw std::out_of_range("Subscript out of range");
}

}  // namespace

void CheckColumn(const Grid& grid, int col) {
  if (col < 0 || col >= grid.Cols()) OutOfRange();
}

void CheckCell(const Grid& grid, int row, int col) {
  if (row < 0 || row >= grid.Rows()) OutOfRange();
  CheckColumn(grid, col);
}

void CheckInsertIndex(const Grid& grid, int index) {
  if (index < grid.FixedRows() || index > grid.Rows()) OutOfRange();
}

void CheckColumnRange(const Grid& grid, int firstCol, int lastCol) {
  if (firstCol > lastCol) OutOfRange();
  CheckColumn(grid, firstCol);
  CheckColumn(grid, lastCol);
}

}  // namespace controls
