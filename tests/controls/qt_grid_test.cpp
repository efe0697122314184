// What the Qt grid shows beyond the contract: the header row as the view's header,
// the alignment codes, and column widths that change only when fitted.
#include "controls/qt/qt_grid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <chrono>

#include "controls/qt/grid_model.h"

namespace {

using controls::AlignmentAttribute;
using controls::AlignmentForCode;
using controls::QtGrid;

Qt::Alignment HeaderAlignment(const QtGrid& grid, int col) {
  return grid.model()
      ->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole)
      .value<Qt::Alignment>();
}

Qt::Alignment CellAlignment(const QtGrid& grid, int row, int col) {
  return grid.model()->index(row, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
}

TEST(QtGrid, ShowsTheHeaderRowAsTheViewsHeaderAndNoRowNumbers) {
  QtGrid grid;
  grid.SetCols(2);
  grid.SetFormatString("項目|狀態");
  grid.AddItem({"a", "b"});
  EXPECT_EQ(grid.model()->rowCount(), 1);  // only the data row
  EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("狀態"));
  EXPECT_TRUE(grid.horizontalHeader()->isVisibleTo(&grid));
  EXPECT_FALSE(grid.verticalHeader()->isVisibleTo(&grid));
}

TEST(QtGrid, AnUntitledColumnShowsAnEmptyHeaderNotANumber) {
  QtGrid grid;
  grid.SetCols(1);
  grid.AddItem({"a", "b"});
  EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QString());
}

TEST(QtGrid, TheFirstAttributeAlignsTheTitlesAndTheSecondTheData) {
  QtGrid grid;
  grid.SetCols(2);
  grid.AddItem({"a", "b"});
  grid.SetColAlignment(0, AlignmentAttribute::kFirst, 4);
  grid.SetColAlignment(0, AlignmentAttribute::kSecond, 1);
  grid.SetColAlignment(1, AlignmentAttribute::kFirst, 8);
  EXPECT_EQ(HeaderAlignment(grid, 0), Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(CellAlignment(grid, 0, 0), Qt::AlignLeft | Qt::AlignVCenter);
  EXPECT_EQ(HeaderAlignment(grid, 1), Qt::AlignRight | Qt::AlignBottom);
  EXPECT_EQ(CellAlignment(grid, 0, 1), Qt::AlignLeft | Qt::AlignVCenter);  // untouched default
}

TEST(QtGrid, AlignmentCodesRunLeftToRightInThreesAndNineIsGeneral) {
  EXPECT_EQ(AlignmentForCode(0), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(AlignmentForCode(2), Qt::AlignLeft | Qt::AlignBottom);
  EXPECT_EQ(AlignmentForCode(3), Qt::AlignHCenter | Qt::AlignTop);
  EXPECT_EQ(AlignmentForCode(7), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(AlignmentForCode(9), Qt::AlignLeft | Qt::AlignVCenter);
  EXPECT_THROW(AlignmentForCode(-1), std::invalid_argument);
}

TEST(QtGrid, ACellEqualToTheOneAboveChangesAlone) {
  // Equal cells of neighbouring rows share their text to save memory; changing or
  // inserting one must not show in the other.
  QtGrid grid;
  grid.SetCols(2);
  grid.AddItem({"App", "one"});
  grid.AddItem({"App", "two"});
  grid.SetTextMatrix(2, 0, "Other");
  grid.AddItem({"Other", "three"}, 2);
  grid.SetTextMatrix(2, 0, "Third");
  EXPECT_EQ(grid.TextMatrix(1, 0), "App");
  EXPECT_EQ(grid.TextMatrix(2, 0), "Third");
  EXPECT_EQ(grid.TextMatrix(3, 0), "Other");
}

class QtGridWidths : public testing::Test {
 protected:
  QtGridWidths() {
    grid.SetCols(2);
    grid.SetFormatString("Key|V");
    grid.resize(400, 300);
    grid.show();
  }
  int TextWidth(const char* text) { return grid.fontMetrics().horizontalAdvance(QString(text)); }
  QtGrid grid;
};

TEST_F(QtGridWidths, FittingSizesEachColumnToItsWidestTextTitleIncluded) {
  grid.AddItem({"short", "a much longer value than the other"});
  grid.AddItem({"a longer key", ""});
  grid.AutoSize(0, 1);
  EXPECT_GE(grid.columnWidth(0), TextWidth("a longer key"));
  EXPECT_LT(grid.columnWidth(0), TextWidth("a longer key") + 20);
  EXPECT_GE(grid.columnWidth(1), TextWidth("a much longer value than the other"));

  grid.SetRows(1);
  grid.AutoSize(0, 1);  // back to the titles' widths
  EXPECT_LT(grid.columnWidth(0), TextWidth("a longer key"));
  EXPECT_GE(grid.columnWidth(0), TextWidth("Key"));
}

TEST_F(QtGridWidths, FittingOnlyTouchesTheColumnsInItsRange) {
  grid.AutoSize(0, 1);
  const int before = grid.columnWidth(1);
  grid.AddItem({"x", "a value far wider than the title"});
  grid.AutoSize(0, 0);
  EXPECT_EQ(grid.columnWidth(1), before);
}

TEST_F(QtGridWidths, AppendingRowsNeverResizesAColumn) {
  grid.AutoSize(0, 1);
  const int before = grid.columnWidth(0);
  for (int i = 0; i < 50; ++i) grid.AddItem({"a text much wider than the fitted column"});
  QApplication::processEvents();
  EXPECT_EQ(grid.columnWidth(0), before);
}

TEST_F(QtGridWidths, ChineseTextIsMeasuredInTheGridsOwnFont) {
  QFont bigger = grid.font();
  bigger.setPointSizeF(bigger.pointSizeF() * 2);
  grid.setFont(bigger);
  grid.AddItem({"修改系統參數檔"});
  grid.AutoSize(0, 0);
  EXPECT_GE(grid.columnWidth(0), QFontMetrics(bigger).horizontalAdvance(QString("修改系統參數檔")));
  // Rows follow the font, so a bigger font does not clip the text.
  EXPECT_GE(grid.rowHeight(0), QFontMetrics(bigger).height());
}

// A snapshot line can hold a setting of 50 MiB. Measuring and painting such a text took
// seconds per repaint for every megabyte; the cell now shows its first characters only.
TEST_F(QtGridWidths, AHugeCellShowsItsBeginningFitsAndPaintsQuicklyAndKeepsItsText) {
  const std::string huge = "\xe5\x80\xbc" + std::string(50u << 20, 'x');  // 值 then 50 MiB
  grid.AddItem({"k", huge});
  const auto start = std::chrono::steady_clock::now();
  grid.AutoSize(0, 1);
  grid.viewport()->grab();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  const QString shown = grid.model()->index(0, 1).data().toString();
  EXPECT_EQ(shown.size(), controls::GridModel::kLongestShownText + 1);
  EXPECT_TRUE(shown.startsWith(QString("值xxx")));
  EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
  EXPECT_LT(grid.columnWidth(1), grid.fontMetrics().horizontalAdvance(shown) + 20);
  EXPECT_EQ(grid.TextMatrix(1, 1), huge);
}

TEST(QtGridModel, ACutNeverSplitsASurrogatePair) {
  controls::GridModel model;
  model.SetColumnCount(1);
  model.SetDataRowCount(1);
  const int limit = controls::GridModel::kLongestShownText;
  model.SetCell(0, 0, QString(limit - 1, 'x') + QString::fromUtf8("\xf0\x9f\x98\x80") + "tail");
  EXPECT_EQ(model.ShownText(0, 0), QString(limit - 1, 'x') + QChar(0x2026));
  model.SetCell(0, 0, QString(limit, 'x'));
  EXPECT_EQ(model.ShownText(0, 0), QString(limit, 'x'));
}

}  // namespace
