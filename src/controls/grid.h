#pragma once
// The grid operations the tool uses, and nothing else. Row 0 is the one header row;
// the row count includes it. Texts are UTF-8; a row is a list of cells, never a text
// joined by tabs, so a tab inside a cell stays in that cell.
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// The two per-column alignment attributes and the codes the window uses for them.
enum class AlignmentAttribute { kFirst, kSecond };

class Grid {
 public:
  virtual ~Grid() = default;

  virtual void SetCols(int count) = 0;
  virtual int Cols() const = 0;
  // Row 0 shows the "|"-separated titles, one per column.
  virtual void SetFormatString(std::string_view titles) = 0;
  virtual void SetColAlignment(int col, AlignmentAttribute attribute, int code) = 0;
  // Rows at and beyond the count are dropped; the header row stays.
  virtual void SetRows(int count) = 0;
  virtual int Rows() const = 0;
  virtual int FixedRows() const = 0;
  // Appends after the last row, or inserts at `index` moving the rows below down. A
  // row with more cells than the grid has columns adds columns (with empty titles) so
  // every cell shows; a row with fewer leaves the remaining cells empty.
  virtual void AddItem(const std::vector<std::string>& cells) = 0;
  virtual void AddItem(const std::vector<std::string>& cells, int index) = 0;
  virtual void SetTextMatrix(int row, int col, std::string_view text) = 0;
  // Read back for tests and for the contract; the tool itself never reads a cell.
  virtual std::string TextMatrix(int row, int col) const = 0;
  // Sizes each column in the range to its widest text.
  virtual void AutoSize(int firstCol, int lastCol) = 0;
};

// The range checks every grid makes before it changes anything: each throws
// std::out_of_range ("Subscript out of range") for what lies outside the grid.
void CheckColumn(const Grid& grid, int col);
void CheckCell(const Grid& grid, int row, int col);
// An AddItem index: from the first data row to just past the last.
void CheckInsertIndex(const Grid& grid, int index);
// An AutoSize range: two columns of the grid, the first not after the last.
void CheckColumnRange(const Grid& grid, int firstCol, int lastCol);

}  // namespace controls
