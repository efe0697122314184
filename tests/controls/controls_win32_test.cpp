// What the grid contract cannot see of the Win32 controls: what the list view really
// shows (its cells come through the notification the window reflects), the header's
// own alignment, columns fitted as wide as the list view itself would make them, and
// the tab control switching panels and passing commands up to the window.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

#include "controls/win32/win32_caption_panel.h"
#include "controls/win32/win32_grid.h"
#include "controls/win32/win32_tab_control.h"
#include "support/win32_host_window.h"

namespace {

using controls::AlignmentAttribute;
using win32_testing::HostWindow;

// A cell's text as the list view asks for it to draw it: into a buffer of 260.
std::wstring ShownCell(HWND list, int item, int subItem) {
  wchar_t buffer[260] = {};
  LVITEMW request{};
  request.iSubItem = subItem;
  request.pszText = buffer;
  request.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
               reinterpret_cast<LPARAM>(&request));
  return buffer;
}

HDITEMW HeaderItem(HWND list, int col, wchar_t (&buffer)[64]) {
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT;
  item.pszText = buffer;
  item.cchTextMax = 64;
  SendMessageW(ListView_GetHeader(list), HDM_GETITEMW, static_cast<WPARAM>(col),
               reinterpret_cast<LPARAM>(&item));
  return item;
}

void SetUpLikeTheWindow(controls::Win32Grid& grid, int cols, const char* titles) {
  grid.SetCols(cols);
  grid.SetFormatString(titles);
  for (int c = 0; c < cols; ++c) grid.SetColAlignment(c, AlignmentAttribute::kFirst, 4);
  for (int c = 0; c < cols; ++c) grid.SetColAlignment(c, AlignmentAttribute::kSecond, 1);
  grid.SetRows(1);
  grid.AutoSize(0, cols - 1);
}

TEST(Win32GridView, ShowsTheCellsTitlesAndAlignmentsItWasGiven) {
  HostWindow host;
  controls::Win32Grid grid(host.Handle(), 100, RECT{0, 0, 600, 400});
  SetUpLikeTheWindow(grid, 2, "項目|狀態");
  const std::string huge(5000, 'x');
  grid.AddItem({"修改主選單", "left\tright"});
  grid.AddItem({huge});
  HostWindow::Settle();

  const HWND list = grid.Handle();
  EXPECT_EQ(ListView_GetItemCount(list), 2);
  EXPECT_EQ(ShownCell(list, 0, 0), L"修改主選單");
  EXPECT_EQ(ShownCell(list, 0, 1), L"left\tright");
  // A huge setting is shown cut, and still read back whole.
  EXPECT_LT(ShownCell(list, 1, 0).size(), huge.size());
  EXPECT_EQ(grid.TextMatrix(2, 0), huge);

  wchar_t title[64];
  const HDITEMW header = HeaderItem(list, 1, title);
  EXPECT_STREQ(title, L"狀態");
  // The cells' alignment (second attribute) must not undo the header's (first).
  EXPECT_EQ(header.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT;
  ListView_GetColumn(list, 1, &column);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  grid.SetColAlignment(1, AlignmentAttribute::kSecond, 7);
  ListView_GetColumn(list, 1, &column);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  EXPECT_EQ(HeaderItem(list, 1, title).fmt & HDF_JUSTIFYMASK, HDF_CENTER);
}

TEST(Win32GridView, FitsEachColumnAsWideAsTheListViewItselfWould) {
  HostWindow host;
  controls::Win32Grid grid(host.Handle(), 100, RECT{0, 0, 700, 400});
  SetUpLikeTheWindow(grid, 3, "Key1|很長的標題在這裡|Value");
  grid.AddItem({"PosCounter", "x", "謝謝惠顧，歡迎再度光臨"});
  grid.AddItem({"WWWWWWWWWW", "y", "C:\\Program Files\\App\\Data\\file123.dat"});
  grid.AutoSize(0, 2);
  HostWindow::Settle();
  const int fitted[] = {grid.ColumnWidth(0), grid.ColumnWidth(1)};
  // The list view's own fitting asks for every cell: fine for two rows. (The last column
  // would stretch to the view's edge, so it is left out.)
  for (int c = 0; c < 2; ++c) {
    ListView_SetColumnWidth(grid.Handle(), c, LVSCW_AUTOSIZE_USEHEADER);
    const int own = ListView_GetColumnWidth(grid.Handle(), c);
    EXPECT_GE(fitted[c], own) << "column " << c << " cuts its widest text";
    EXPECT_LE(fitted[c], own + 4) << "column " << c;
  }
}

// A cell longer than the list view draws ends in "…" and never halves a character (a
// surrogate pair); its whole text is the tooltip's, and the grid's.
TEST(Win32GridView, ALongCellEndsInAnEllipsisAndShowsWholeInItsTooltip) {
  HostWindow host;
  controls::Win32Grid grid(host.Handle(), 100, RECT{0, 0, 600, 400});
  SetUpLikeTheWindow(grid, 1, "值");
  struct Case {
    std::string cell;
    std::wstring shown;
  };
  for (const Case& c :
       {Case{std::string(300, 'x'), std::wstring(258, L'x') + L"…"},
        Case{std::string(257, 'x') + "😀" + std::string(41, 'y'), std::wstring(257, L'x') + L"…"},
        Case{"short", L"short"}}) {
    grid.SetRows(1);
    grid.AddItem({c.cell});
    grid.AutoSize(0, 0);
    HostWindow::Settle();
    EXPECT_EQ(ShownCell(grid.Handle(), 0, 0), c.shown) << c.cell.size();
    EXPECT_EQ(grid.TextMatrix(1, 0), c.cell);
    EXPECT_EQ(grid.CellTip(1, 0), c.shown == L"short" ? "" : c.cell);
  }
}

// A letter typed in a grid makes the list view ask for a row starting with it: none, so
// the selection stays where it is.
TEST(Win32GridView, FindsNoRowForATypedLetter) {
  HostWindow host;
  controls::Win32Grid grid(host.Handle(), 100, RECT{0, 0, 600, 400});
  SetUpLikeTheWindow(grid, 1, "值");
  grid.AddItem({"AppA"});
  HostWindow::Settle();
  LVFINDINFOW find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  find.psz = L"A";
  EXPECT_EQ(ListView_FindItem(grid.Handle(), -1, &find), -1);
}

TEST(Win32TabControl, ShowsOnlyTheCurrentPagesPanelAndPassesCommandsUp) {
  HostWindow host;
  controls::Win32TabControl tabs(host.Handle(), 10, RECT{0, 0, 500, 300});
  tabs.SetCaptions("Registry|連線設定");
  const RECT area = tabs.PageArea();
  controls::Win32CaptionPanel first(tabs.Handle(), 11, area);
  controls::Win32CaptionPanel second(tabs.Handle(), 12, area);
  tabs.SetPagePanel(0, first.Handle());
  tabs.SetPagePanel(1, second.Handle());
  // A button on the second page, inside a panel inside that page's panel.
  controls::Win32CaptionPanel frame(second.Handle(), 13, RECT{10, 10, 200, 100});
  const HWND button =
      CreateWindowExW(0, L"BUTTON", L"存檔", WS_CHILD | WS_VISIBLE, 10, 10, 80, 30, frame.Handle(),
                      reinterpret_cast<HMENU>(42), GetModuleHandleW(nullptr), nullptr);
  HostWindow::Settle();
  EXPECT_EQ(tabs.CurrTab(), 0);
  EXPECT_TRUE(IsWindowVisible(first.Handle()));
  EXPECT_FALSE(IsWindowVisible(second.Handle()));

  tabs.SetCurrTab(1);
  EXPECT_FALSE(IsWindowVisible(first.Handle()));
  EXPECT_TRUE(IsWindowVisible(second.Handle()));
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(host.Commands(), std::vector<int>{42});

  // The user clicks the first tab: the change comes as a notification to the window.
  RECT tab{};
  TabCtrl_GetItemRect(tabs.Handle(), 0, &tab);
  const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(tabs.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(tabs.Handle(), WM_LBUTTONUP, 0, point);
  HostWindow::Settle();
  EXPECT_EQ(tabs.CurrTab(), 0);
  EXPECT_TRUE(IsWindowVisible(first.Handle()));
  EXPECT_FALSE(IsWindowVisible(second.Handle()));
  EXPECT_THROW(tabs.SetCurrTab(2), std::out_of_range);
}

}  // namespace
