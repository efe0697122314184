#include "controls/win32/win32_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "controls/widest_text.h"
#include "controls/win32/child_window.h"
#include "controls/win32/message_reflection.h"
#include "controls/win32/packed_row.h"
#include "controls/win32/wide_text.h"

namespace controls {
namespace {

// A column the grid adds before anything fits it.
constexpr int kNewColumnWidth = 100;
// What the list view adds to a text when it sizes a column to it (label margins), and
// what the header adds to a title (its margins and the divider): measured against
// LVSCW_AUTOSIZE and LVSCW_AUTOSIZE_USEHEADER, which the fitting cannot use on a
// 100 000-row virtual list without asking for every cell.
constexpr int kCellPadding = 12;
constexpr int kHeaderPadding = 12;
// The list view draws a cell from a buffer of this many characters; a longer setting
// (a snapshot line can hold megabytes) is shown and measured cut, its whole text in the
// tooltip, which is cut too, far later, so it always fits on the screen.
constexpr std::size_t kLongestShownText = 259;
constexpr std::size_t kLongestTip = 4000;
constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kEllipsis = L'\u2026';

// Posted to the list view after a run of appends.
UINT ShowRowCountMessage() {
  static const UINT message = RegisterWindowMessageW(L"RegToolGridShowRowCount");
  return message;
}

// `text`, or when longer than `room` as much as fits before a "…", never half a
// surrogate pair; a cut text is made in `scratch`, which the answer then views.
std::wstring_view Shown(std::wstring_view text, std::size_t room, std::wstring& scratch) {
  if (text.size() <= room) return text;
  std::size_t kept = room > 0 ? room - 1 : 0;
  if (kept > 0 && IS_HIGH_SURROGATE(text[kept - 1])) --kept;
  scratch.assign(text.substr(0, kept));
  if (room > 0) scratch.push_back(kEllipsis);
  return scratch;
}

std::u16string_view Utf16(std::wstring_view text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows texts are UTF-16");
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace

// The cells behind the view: titles per column, and per data row only the cells it was
// given (a missing cell is empty), so a row costs what its texts cost.
struct Win32Grid::Cells {
  std::vector<std::wstring> titles;
  std::vector<int> headerFormat;
  std::vector<PackedRow> rows;
};

int ListViewFormatForCode(int code) {
  static constexpr int kHorizontal[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT};
  if (code == 9) return LVCFMT_LEFT;
  if (code < 0 || code > 9) throw std::invalid_argument("Invalid alignment code");
  return kHorizontal[code / 3];
}

Win32Grid::Win32Grid(HWND parent, int id, const RECT& pixels) : cells_(std::make_unique<Cells>()) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  list_ = CreateChildWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                            WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                            parent, id, pixels, "The grid's list view");
  ListView_SetExtendedListViewStyle(list_,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  SetWindowSubclass(list_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  // One tool, the whole list view, whose text is asked for as it shows (TTN_GETDISPINFO
  // comes to the list view); wide texts wrap at half the screen.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = list_;
  tool.uId = reinterpret_cast<UINT_PTR>(list_);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
  tipCell_.iItem = -1;
}

Win32Grid::~Win32Grid() {
  if (IsWindow(tip_)) DestroyWindow(tip_);
  if (IsWindow(list_)) {
    RemoveWindowSubclass(list_, SubclassProc, kSubclassId);
    DestroyWindow(list_);
  }
}

void Win32Grid::SetFont(HFONT font) {
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CALLBACK Win32Grid::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
  if (message == kReflectedMessage) {
    auto& reflected = *reinterpret_cast<ReflectedMessage*>(lParam);
    if (reflected.message != WM_NOTIFY) return FALSE;
    const auto& header = *reinterpret_cast<const NMHDR*>(reflected.lParam);
    return reinterpret_cast<Win32Grid*>(self)->AnswerNotify(header, &reflected.result) ? TRUE
                                                                                       : FALSE;
  }
  auto* grid = reinterpret_cast<Win32Grid*>(self);
  if (message == ShowRowCountMessage()) {
    grid->ShowPendingRowCount();
    return 0;
  }
  if (message == WM_MOUSEMOVE) grid->FollowMouse(lParam);
  if (message == WM_NOTIFY) {
    auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.hwndFrom == grid->tip_ && header.code == TTN_GETDISPINFOW) {
      grid->AnswerTip(reinterpret_cast<NMTTDISPINFOW&>(header));
      return 0;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void Win32Grid::FollowMouse(LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ListView_SubItemHitTest(list_, &hit);
  if (hit.iItem == tipCell_.iItem && hit.iSubItem == tipCell_.iSubItem) return;
  tipCell_ = hit;
  SendMessageW(tip_, TTM_POP, 0, 0);
}

void Win32Grid::AnswerTip(NMTTDISPINFOW& request) {
  const bool onCell = tipCell_.iItem >= 0 && tipCell_.iSubItem >= 0 &&
                      static_cast<std::size_t>(tipCell_.iItem) < cells_->rows.size();
  tipText_ = onCell ? TipOf(static_cast<std::size_t>(tipCell_.iItem),
                            static_cast<std::size_t>(tipCell_.iSubItem))
                    : std::wstring();
  request.lpszText = tipText_.data();
  request.hinst = nullptr;
}

std::wstring Win32Grid::TipOf(std::size_t dataRow, std::size_t col) const {
  const std::wstring_view text = cells_->rows[dataRow].Cell(col);
  std::wstring scratch;
  if (Shown(text, kLongestShownText, scratch).size() == text.size()) {
    const HDC dc = GetDC(list_);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(list_, dc);
    if (size.cx + kCellPadding <= ListView_GetColumnWidth(list_, static_cast<int>(col))) {
      return std::wstring();
    }
  }
  return std::wstring(Shown(text, kLongestTip, scratch));
}

std::string Win32Grid::CellTip(int row, int col) const {
  CheckCell(*this, row, col);
  if (row < FixedRows()) return std::string();
  return Utf8(TipOf(static_cast<std::size_t>(row - FixedRows()), static_cast<std::size_t>(col)));
}

bool Win32Grid::AnswerNotify(const NMHDR& header, LRESULT* result) {
  if (header.code == LVN_ODFINDITEMW) {
    // A letter typed in the grid asks for the next row starting with it; the grid has
    // no such search, and any other answer would select that row.
    *result = -1;
    return true;
  }
  if (header.code != LVN_GETDISPINFOW) return false;
  LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
  *result = 0;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return true;
  item.pszText[0] = L'\0';
  const auto row = static_cast<std::size_t>(item.iItem);
  if (item.iItem < 0 || row >= cells_->rows.size() || item.iSubItem < 0) return true;
  // Copied, never lent: the view keeps no pointer into cells that may move.
  std::wstring scratch;
  const std::wstring_view shown =
      Shown(cells_->rows[row].Cell(static_cast<std::size_t>(item.iSubItem)),
            static_cast<std::size_t>(item.cchTextMax - 1), scratch);
  std::copy(shown.begin(), shown.end(), item.pszText);
  item.pszText[shown.size()] = L'\0';
  return true;
}

void Win32Grid::SetCols(int count) {
  if (count < 0) throw std::invalid_argument("Invalid column count");
  const auto wanted = static_cast<std::size_t>(count);
  while (Cols() < count) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = kNewColumnWidth;
    column.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(list_, Cols(), &column);
    cells_->titles.emplace_back();
    cells_->headerFormat.push_back(LVCFMT_LEFT);
  }
  while (Cols() > count) {
    ListView_DeleteColumn(list_, Cols() - 1);
    cells_->titles.pop_back();
    cells_->headerFormat.pop_back();
  }
  for (PackedRow& row : cells_->rows) row.Truncate(wanted);
}

int Win32Grid::Cols() const {
  return static_cast<int>(cells_->titles.size());
}

void Win32Grid::SetFormatString(std::string_view titles) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = titles.find('|', start);
    parts.push_back(titles.substr(start, bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  if (static_cast<int>(parts.size()) > Cols()) SetCols(static_cast<int>(parts.size()));
  for (int c = 0; c < Cols(); ++c) {
    SetTextMatrix(0, c, static_cast<std::size_t>(c) < parts.size() ? parts[c] : "");
  }
}

void Win32Grid::SetColAlignment(int col, AlignmentAttribute attribute, int code) {
  CheckColumn(*this, col);
  const int format = ListViewFormatForCode(code);
  if (attribute == AlignmentAttribute::kSecond) {
    // Sets the cells' alignment, and the header's with it: the header's is put back below.
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    column.fmt = format;
    ListView_SetColumn(list_, col, &column);
  } else {
    cells_->headerFormat[static_cast<std::size_t>(col)] = format;
  }
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  item.fmt = HDF_STRING | cells_->headerFormat[static_cast<std::size_t>(col)];
  Header_SetItem(ListView_GetHeader(list_), col, &item);
}

void Win32Grid::SetRows(int count) {
  const auto dataRows = static_cast<std::size_t>(std::max(count, FixedRows()) - FixedRows());
  cells_->rows.resize(dataRows);
  ShowRowCount(false);
}

int Win32Grid::Rows() const {
  return static_cast<int>(cells_->rows.size()) + FixedRows();
}

void Win32Grid::AddItem(const std::vector<std::string>& cells) {
  AddItem(cells, Rows());
}

void Win32Grid::AddItem(const std::vector<std::string>& cells, int index) {
  CheckInsertIndex(*this, index);
  if (static_cast<int>(cells.size()) > Cols()) SetCols(static_cast<int>(cells.size()));
  PackedRow row(cells);
  if (index == Rows()) {
    cells_->rows.push_back(std::move(row));
    ShowRowCountLater();
  } else {
    cells_->rows.insert(cells_->rows.begin() + (index - FixedRows()), std::move(row));
    ShowRowCount(false);
  }
}

void Win32Grid::ShowRowCount(bool onlyAppended) {
  countPending_ = false;
  // Appending leaves every shown row as it was: the view only learns the new count.
  const DWORD flags = onlyAppended ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : LVSICF_NOSCROLL;
  ListView_SetItemCountEx(list_, static_cast<int>(cells_->rows.size()), flags);
}

void Win32Grid::ShowRowCountLater() {
  if (countPending_) return;
  countPending_ = PostMessageW(list_, ShowRowCountMessage(), 0, 0) != FALSE;
  if (!countPending_) ShowRowCount(true);  // a full queue: tell it now
}

void Win32Grid::ShowPendingRowCount() {
  if (countPending_) ShowRowCount(true);
}

void Win32Grid::SetTextMatrix(int row, int col, std::string_view text) {
  CheckCell(*this, row, col);
  const auto c = static_cast<std::size_t>(col);
  if (row == 0) {
    cells_->titles[c] = Wide(text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = cells_->titles[c].data();
    ListView_SetColumn(list_, col, &column);
    return;
  }
  ShowPendingRowCount();
  cells_->rows[static_cast<std::size_t>(row - FixedRows())].Set(c, Wide(text));
  ListView_RedrawItems(list_, row - FixedRows(), row - FixedRows());
}

std::string Win32Grid::TextMatrix(int row, int col) const {
  CheckCell(*this, row, col);
  const auto c = static_cast<std::size_t>(col);
  if (row == 0) return Utf8(cells_->titles[c]);
  return Utf8(cells_->rows[static_cast<std::size_t>(row - FixedRows())].Cell(c));
}

void Win32Grid::AutoSize(int firstCol, int lastCol) {
  CheckColumnRange(*this, firstCol, lastCol);
  ShowPendingRowCount();
  // Measured as the view draws: in its font, one text or character at a time on a DC.
  const HDC dc = GetDC(list_);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
  const auto textWidth = [dc](std::u16string_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const auto charAdvance = [&textWidth](char16_t unit) {
    return static_cast<double>(textWidth(std::u16string_view(&unit, 1)));
  };
  const std::size_t dataRows = cells_->rows.size();
  std::vector<int> widths;
  WidestText widest(charAdvance, textWidth);
  for (int c = firstCol; c <= lastCol; ++c) {
    const auto col = static_cast<std::size_t>(c);
    widest.StartOver();
    std::wstring scratch;
    const auto shown = [&](std::size_t r) {
      return Utf16(Shown(cells_->rows[r].Cell(col), kLongestShownText, scratch));
    };
    for (std::size_t r = 0; r < dataRows; ++r) widest.Add(static_cast<int>(r), shown(r));
    const int widestText = widest.Width([&](int r) { return shown(static_cast<std::size_t>(r)); });
    const int header =
        cells_->titles[col].empty() ? 0 : textWidth(Utf16(cells_->titles[col])) + kHeaderPadding;
    widths.push_back(std::max(header, widestText > 0 ? widestText + kCellPadding : 0));
  }
  SelectObject(dc, oldFont);
  ReleaseDC(list_, dc);
  // Each new width would lay out and repaint the header and the rows: once is enough,
  // and not at all when a refill left every width as it was.
  bool changed = false;
  for (int c = firstCol; c <= lastCol; ++c) {
    changed = changed ||
              ListView_GetColumnWidth(list_, c) != widths[static_cast<std::size_t>(c - firstCol)];
  }
  if (!changed) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  for (int c = firstCol; c <= lastCol; ++c) {
    ListView_SetColumnWidth(list_, c, widths[static_cast<std::size_t>(c - firstCol)]);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

int Win32Grid::ColumnWidth(int col) const {
  CheckColumn(*this, col);
  return ListView_GetColumnWidth(list_, col);
}

}  // namespace controls
