#pragma once
// controls::Grid on a virtual list view (LVS_OWNERDATA, report mode). The header control
// is row 0; grid row r > 0 is list item r - 1. The cells live here, not in the list view:
// the view only asks (LVN_GETDISPINFO, reflected by the parent) for the items it draws,
// and it learns the new row count of a run of appends once, when the run is over (the
// message loop comes round again, or another operation needs the view up to date):
// telling it per row costs a scroll-bar update per row.
//
// Alignment codes as the Qt grid reads them: code = 3 * horizontal + vertical
// (horizontal 0 left, 1 centre, 2 right), 9 = general (left). A list view aligns a
// column's header and cells together, so the first attribute (the header's) sets the
// header item's format and the second (the cells') the column's; a report row has one
// line, so the vertical part has nothing to move. A list view always keeps the cells of
// its first column at the left, whatever their code (the window's code 1 is left).
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/grid.h"

namespace controls {

class Win32Grid final : public Grid {
 public:
  // A child window of `parent` with control ID `id` at `pixels` (parent client
  // coordinates). The parent must reflect WM_NOTIFY (ReflectToChild) for the cells to show.
  Win32Grid(HWND parent, int id, const RECT& pixels);
  ~Win32Grid() override;
  Win32Grid(const Win32Grid&) = delete;
  Win32Grid& operator=(const Win32Grid&) = delete;

  HWND Handle() const { return list_; }
  // The font of cells and header; the caller owns it and keeps it alive.
  void SetFont(HFONT font);

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

  // The width in pixels the list view gives a column (for tests and layout).
  int ColumnWidth(int col) const;
  // What the tooltip over a data cell shows: its whole text where the cell shows less
  // (cut with "…", or wider than its column), else empty text, which shows no tooltip.
  std::string CellTip(int row, int col) const;

 private:
  struct Cells;
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool AnswerNotify(const NMHDR& header, LRESULT* result);
  std::wstring TipOf(std::size_t dataRow, std::size_t col) const;
  // The mouse over another cell: the tooltip goes, and shows that cell's text next.
  void FollowMouse(LPARAM point);
  void AnswerTip(NMTTDISPINFOW& request);
  // Tells the view the row count; `onlyAppended` when the rows it shows are unchanged.
  void ShowRowCount(bool onlyAppended);
  // After an append: the view learns the count when the message loop comes round.
  void ShowRowCountLater();
  void ShowPendingRowCount();

  HWND list_;
  HWND tip_;
  LVHITTESTINFO tipCell_{};  // the cell the tooltip is about
  std::wstring tipText_;     // the text the tooltip was last given
  std::unique_ptr<Cells> cells_;
  bool countPending_ = false;
};

// The list view format (LVCFMT_LEFT, _CENTER, _RIGHT) for a grid alignment code; throws
// std::invalid_argument outside 0..9.
int ListViewFormatForCode(int code);

}  // namespace controls
