#pragma once
// A grid kept in memory: the same contract as the window's grids, for the command line
// (which prints what the window would show) and the logic tests, with a record of what
// the code asked of it that a widget does not show.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/grid.h"

namespace controls {

class MemoryGrid : public Grid {
 public:
  void SetCols(int count) override;
  int Cols() const override { return static_cast<int>(titles_.size()); }
  void SetFormatString(std::string_view titles) override;
  void SetColAlignment(int col, AlignmentAttribute attribute, int code) override;
  void SetRows(int count) override;
  int Rows() const override { return static_cast<int>(rows_.size()) + FixedRows(); }
  int FixedRows() const override { return 1; }
  void AddItem(const std::vector<std::string>& cells) override;
  void AddItem(const std::vector<std::string>& cells, int index) override;
  void SetTextMatrix(int row, int col, std::string_view text) override;
  std::string TextMatrix(int row, int col) const override;
  void AutoSize(int firstCol, int lastCol) override;

  // Every row below the header, each padded to the column count.
  std::vector<std::vector<std::string>> DataRows() const;
  // The last code set for (column, attribute); -1 when never set.
  int Alignment(int col, AlignmentAttribute attribute) const;
  // Each AutoSize call as (first column, last column), in order.
  const std::vector<std::pair<int, int>>& fits() const { return fits_; }

 private:
  std::vector<std::string> titles_;
  std::vector<std::vector<std::string>> rows_;
  std::map<std::pair<int, AlignmentAttribute>, int> alignments_;
  std::vector<std::pair<int, int>> fits_;
};

}  // namespace controls
