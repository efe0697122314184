#pragma once
// The grid contract, written once and run against every grid (instantiated per grid in
// its own file). Grid row 0 is the header; the row count includes it.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/grid.h"

namespace grid_contract {

using controls::AlignmentAttribute;
using Cells = std::vector<std::string>;

// How a test gets a grid of type G and lets it catch up with what it was told (a
// widget lays out and paints). Specialised per grid where that needs more.
template <class G>
struct GridMaker {
  static std::unique_ptr<G> Make() { return std::make_unique<G>(); }
  static void Settle(G&) {}
};

template <class G>
class GridContract : public testing::Test {
 protected:
  GridContract() : owned_(GridMaker<G>::Make()), grid(*owned_) {}

  // The window's set-up of a grid, step by step.
  void SetUpLikeTheWindow(int cols, const std::string& titles) {
    grid.SetCols(cols);
    grid.SetFormatString(titles);
    for (int c = 0; c < grid.Cols(); ++c) grid.SetColAlignment(c, AlignmentAttribute::kFirst, 4);
    for (int c = 0; c < grid.Cols(); ++c) grid.SetColAlignment(c, AlignmentAttribute::kSecond, 1);
    grid.SetRows(1);
    grid.AutoSize(0, grid.Cols() - 1);
  }

  Cells Row(int row) {
    Cells cells;
    for (int c = 0; c < grid.Cols(); ++c) cells.push_back(grid.TextMatrix(row, c));
    return cells;
  }

  void Settle() { GridMaker<G>::Settle(*owned_); }

 private:
  std::unique_ptr<G> owned_;

 protected:
  controls::Grid& grid;
};

TYPED_TEST_SUITE_P(GridContract);

TYPED_TEST_P(GridContract, AFreshGridHoldsOnlyItsHeaderRow) {
  EXPECT_EQ(this->grid.Rows(), 1);
  EXPECT_EQ(this->grid.FixedRows(), 1);
}

TYPED_TEST_P(GridContract, TheWindowsSetUpLeavesOnlyTheTitledHeaderRow) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  EXPECT_EQ(this->grid.Rows(), 1);
  EXPECT_EQ(this->grid.Cols(), 4);
  EXPECT_EQ(this->Row(0), (Cells{"Key1", "Key2", "Key3", "Value"}));

  this->SetUpLikeTheWindow(2, "項目|狀態");
  EXPECT_EQ(this->Row(0), (Cells{"項目", "狀態"}));
}

TYPED_TEST_P(GridContract, InsertingAtRowOneStacksTheNewestDirectlyUnderTheHeader) {
  this->SetUpLikeTheWindow(2, "項目|狀態");
  this->grid.AddItem({"first"}, 1);
  EXPECT_EQ(this->grid.Rows(), 2);
  EXPECT_EQ(this->Row(1), (Cells{"first", ""}));

  this->grid.AddItem({"second"}, 1);
  EXPECT_EQ(this->grid.Rows(), 3);
  EXPECT_EQ(this->Row(0), (Cells{"項目", "狀態"}));
  EXPECT_EQ(this->Row(1), (Cells{"second", ""}));
  EXPECT_EQ(this->Row(2), (Cells{"first", ""}));
}

TYPED_TEST_P(GridContract, TheStatusCellStaysEmptyUntilSetAndThenShowsItsText) {
  this->SetUpLikeTheWindow(2, "項目|狀態");
  this->grid.AddItem({"修改系統參數檔"}, 1);
  EXPECT_EQ(this->grid.TextMatrix(1, 1), "");
  this->grid.AddItem({"修改主選單"}, 1);
  this->grid.SetTextMatrix(1, 1, "修改完成");
  EXPECT_EQ(this->Row(1), (Cells{"修改主選單", "修改完成"}));
  EXPECT_EQ(this->Row(2), (Cells{"修改系統參數檔", ""}));
  EXPECT_EQ(this->Row(0), (Cells{"項目", "狀態"}));
}

TYPED_TEST_P(GridContract, SettingTheRowCountToTheHeaderCountOnAHeaderOnlyGridChangesNothing) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  this->grid.SetRows(this->grid.FixedRows());
  EXPECT_EQ(this->grid.Rows(), 1);
  EXPECT_EQ(this->grid.Cols(), 4);
  EXPECT_EQ(this->Row(0), (Cells{"Key1", "Key2", "Key3", "Value"}));
}

TYPED_TEST_P(GridContract, SettingTheRowCountDropsTheRowsAtAndBeyondItButKeepsTheHeader) {
  this->SetUpLikeTheWindow(2, "A|B");
  for (const char* text : {"r1", "r2", "r3"}) this->grid.AddItem({text});
  this->grid.SetRows(2);
  EXPECT_EQ(this->grid.Rows(), 2);
  EXPECT_EQ(this->grid.TextMatrix(1, 0), "r1");
  this->grid.SetRows(0);
  EXPECT_EQ(this->grid.Rows(), 1);
  EXPECT_EQ(this->Row(0), (Cells{"A", "B"}));
  this->grid.SetRows(3);  // growing adds empty rows
  EXPECT_EQ(this->Row(2), (Cells{"", ""}));
}

TYPED_TEST_P(GridContract, AppendingKeepsTheOrderTheRowsCameIn) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  this->grid.AddItem({"App", "Sec", "K1", "v1"});
  this->grid.AddItem({"App", "Sec", "K2", "v2"});
  this->grid.AddItem({"App", "Sec", "K3", "v3"}, 3);  // the index just past the end appends
  EXPECT_EQ(this->Row(1), (Cells{"App", "Sec", "K1", "v1"}));
  EXPECT_EQ(this->Row(3), (Cells{"App", "Sec", "K3", "v3"}));
}

TYPED_TEST_P(GridContract, ARowWiderThanTheGridAddsUntitledColumnsSoEveryCellShows) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  this->grid.AddItem({"a", "b", "c", "d"});
  this->grid.AddItem({"App", "Sec", "Sub", "Key", "data"});
  EXPECT_EQ(this->grid.Cols(), 5);
  EXPECT_EQ(this->Row(0), (Cells{"Key1", "Key2", "Key3", "Value", ""}));
  EXPECT_EQ(this->Row(1), (Cells{"a", "b", "c", "d", ""}));
  EXPECT_EQ(this->Row(2), (Cells{"App", "Sec", "Sub", "Key", "data"}));
}

TYPED_TEST_P(GridContract, ARowNarrowerThanTheGridLeavesItsLastCellsEmpty) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  this->grid.AddItem({"App", "Sec"});
  this->grid.AddItem({});
  EXPECT_EQ(this->grid.Cols(), 4);
  EXPECT_EQ(this->Row(1), (Cells{"App", "Sec", "", ""}));
  EXPECT_EQ(this->Row(2), (Cells{"", "", "", ""}));
}

TYPED_TEST_P(GridContract, ATabInsideACellStaysInThatCell) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  this->grid.AddItem({"App", "Sec", "Key", "left\tright"});
  EXPECT_EQ(this->grid.Cols(), 4);
  EXPECT_EQ(this->Row(1), (Cells{"App", "Sec", "Key", "left\tright"}));
}

TYPED_TEST_P(GridContract, NarrowingTheGridDropsTheCellsBeyondItsLastColumn) {
  this->SetUpLikeTheWindow(3, "A|B|C");
  this->grid.AddItem({"1", "2", "3"});
  this->grid.SetCols(2);
  this->grid.SetCols(3);
  EXPECT_EQ(this->Row(0), (Cells{"A", "B", ""}));
  EXPECT_EQ(this->Row(1), (Cells{"1", "2", ""}));
}

TYPED_TEST_P(GridContract, TheHeaderLayoutTitlesEveryColumnAndAddsColumnsForExtraTitles) {
  this->grid.SetCols(3);
  this->grid.SetFormatString("only");
  EXPECT_EQ(this->Row(0), (Cells{"only", "", ""}));
  this->grid.SetFormatString("a||c|d");
  EXPECT_EQ(this->Row(0), (Cells{"a", "", "c", "d"}));
}

TYPED_TEST_P(GridContract, CellsOutsideTheGridAreRefusedAndChangeNothing) {
  this->SetUpLikeTheWindow(2, "A|B");
  this->grid.AddItem({"x", "y"});
  EXPECT_THROW(this->grid.AddItem({"above the header"}, 0), std::exception);
  EXPECT_THROW(this->grid.AddItem({"past the end"}, 3), std::exception);
  EXPECT_THROW(this->grid.SetTextMatrix(2, 0, "no such row"), std::exception);
  EXPECT_THROW(this->grid.SetTextMatrix(1, 2, "no such column"), std::exception);
  EXPECT_THROW((void)this->grid.TextMatrix(-1, 0), std::exception);
  EXPECT_THROW(this->grid.AutoSize(0, 2), std::exception);
  EXPECT_THROW(this->grid.SetColAlignment(0, AlignmentAttribute::kFirst, 10), std::exception);
  EXPECT_EQ(this->grid.Rows(), 2);
  EXPECT_EQ(this->grid.Cols(), 2);
  EXPECT_EQ(this->Row(1), (Cells{"x", "y"}));
}

TYPED_TEST_P(GridContract, AHundredThousandAppendedRowsAreAllKeptAndFitted) {
  this->SetUpLikeTheWindow(4, "Key1|Key2|Key3|Value");
  constexpr int kRows = 100000;
  for (int i = 0; i < kRows; ++i) {
    const std::string n = std::to_string(i);
    this->grid.AddItem({"App" + std::to_string(i % 7), "Section", "Key" + n, "值" + n});
  }
  this->Settle();
  this->grid.AutoSize(0, this->grid.Cols() - 1);
  this->Settle();
  EXPECT_EQ(this->grid.Rows(), kRows + 1);
  EXPECT_EQ(this->Row(1), (Cells{"App0", "Section", "Key0", "值0"}));
  EXPECT_EQ(this->Row(kRows), (Cells{"App4", "Section", "Key99999", "值99999"}));
  this->grid.SetRows(1);
  EXPECT_EQ(this->grid.Rows(), 1);
}

REGISTER_TYPED_TEST_SUITE_P(
    GridContract, AFreshGridHoldsOnlyItsHeaderRow, TheWindowsSetUpLeavesOnlyTheTitledHeaderRow,
    InsertingAtRowOneStacksTheNewestDirectlyUnderTheHeader,
    TheStatusCellStaysEmptyUntilSetAndThenShowsItsText,
    SettingTheRowCountToTheHeaderCountOnAHeaderOnlyGridChangesNothing,
    SettingTheRowCountDropsTheRowsAtAndBeyondItButKeepsTheHeader,
    AppendingKeepsTheOrderTheRowsCameIn, ARowWiderThanTheGridAddsUntitledColumnsSoEveryCellShows,
    ARowNarrowerThanTheGridLeavesItsLastCellsEmpty, ATabInsideACellStaysInThatCell,
    NarrowingTheGridDropsTheCellsBeyondItsLastColumn,
    TheHeaderLayoutTitlesEveryColumnAndAddsColumnsForExtraTitles,
    CellsOutsideTheGridAreRefusedAndChangeNothing, AHundredThousandAppendedRowsAreAllKeptAndFitted);

}  // namespace grid_contract
