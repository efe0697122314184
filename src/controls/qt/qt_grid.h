#pragma once
// controls::Grid over a QTableView. Row 0 of the grid is the view's horizontal header;
// grid row r > 0 is model row r - 1. Appending only notifies the view of one new row:
// nothing is measured or laid out per row, so filling 100 000 rows stays fast. Column
// widths change only when AutoSize is called.
//
// Alignment codes follow a 3 x 3 scheme, code = 3 * horizontal + vertical, with
// horizontal 0 left, 1 centre, 2 right and vertical 0 top, 1 centre, 2 bottom; code 9
// ("general") puts text at the left, vertically centred. The first attribute governs
// the header cells, the second the data cells, so the window's set-up (first 4, second
// 1) centres the titles and puts the data at the left.
#include <QTableView>

#include "controls/grid.h"

namespace controls {

class GridModel;

class QtGrid final : public QTableView, public Grid {
 public:
  explicit QtGrid(QWidget* parent = nullptr);

  void SetCols(int count) override;
  int Cols() const override;
  void SetFormatString(std::string_view titles) override;
  void SetColAlignment(int col, AlignmentAttribute attribute, int code) override;
  void SetRows(int count) override;
  int Rows() const override;
  int FixedRows() const override { return 1; }
  void AddItem(const std::vector<std::string>& cells) override;
  void AddItem(const std::vector<std::string>& cells, int index) override;
  void SetTextMatrix(int row, int col, std::string_view text) override;
  std::string TextMatrix(int row, int col) const override;
  void AutoSize(int firstCol, int lastCol) override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitRowHeightToFont();
  int HeaderWidth(int col) const;

  GridModel* model_;
};

// The Qt alignment for a grid alignment code; throws std::invalid_argument outside 0..9.
Qt::Alignment AlignmentForCode(int code);

}  // namespace controls
