#include "window_driver.h"

// After <windows.h>, which they build on.
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include "app/win32/fm_reg_tool.h"
#include "controls/win32/wide_text.h"
#include "keyboard/win32/anumkey_form.h"
#include "support/modal_win32.h"

namespace window_tests {
namespace {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return controls::Utf8(text);
}

// The list view's text of one cell; an owner-data list view asks its grid through the
// parent's reflected LVN_GETDISPINFO.
std::string CellText(HWND list, int row, int column) {
  std::wstring text(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<std::size_t>(length));
  return controls::Utf8(text);
}

}  // namespace

HWND WindowDriver::Control(std::string_view name) const {
  const HWND control = window_.Control(name);
  EXPECT_NE(control, nullptr) << "no control named " << name;
  return control;
}

void WindowDriver::ClickTab(int index) {
  const HWND tabs = Control("tabPage");
  RECT item{};
  ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&item)));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tabs, WM_LBUTTONUP, 0, at);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), index);
}

void WindowDriver::Click(std::string_view name) {
  const HWND control = Control(name);
  ASSERT_TRUE(IsWindowVisible(control)) << name << " is on a page that is not shown";
  ASSERT_TRUE(IsWindowEnabled(control)) << name;
  SendMessageW(control, BM_CLICK, 0, 0);
}

void WindowDriver::DoubleClick(std::string_view name) {
  const HWND control = Control(name);
  ASSERT_TRUE(IsWindowVisible(control)) << name << " is on a page that is not shown";
  const LPARAM at = MAKELPARAM(2, 2);
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(control, WM_LBUTTONUP, 0, at);
  SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(control, WM_LBUTTONUP, 0, at);
}

void WindowDriver::SetTicked(std::string_view name, bool ticked) {
  if (Ticked(name) != ticked) Click(name);
  ASSERT_EQ(Ticked(name), ticked) << name;
}

bool WindowDriver::Ticked(std::string_view name) const {
  return SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string WindowDriver::Text(std::string_view name) const {
  return WindowText(Control(name));
}

void WindowDriver::SetText(std::string_view name, std::string_view utf8) {
  SendMessageW(Control(name), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(controls::Wide(utf8).c_str()));
}

std::vector<std::string> WindowDriver::Titles(std::string_view grid) const {
  const auto header = reinterpret_cast<HWND>(SendMessageW(Control(grid), LVM_GETHEADER, 0, 0));
  std::vector<std::string> titles;
  const auto count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
  for (WPARAM column = 0; static_cast<LRESULT>(column) < count; ++column) {
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    titles.push_back(controls::Utf8(text));
  }
  return titles;
}

Rows WindowDriver::Shown(std::string_view grid) const {
  const HWND list = Control(grid);
  const int columns = static_cast<int>(Titles(grid).size());
  const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  Rows rows;
  for (int row = 0; row < count; ++row) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (int column = 0; column < columns; ++column) cells.push_back(CellText(list, row, column));
  }
  return rows;
}

Rows PaddedTo(Rows rows, std::size_t columns) {
  for (auto& cells : rows) {
    if (cells.size() < columns) cells.resize(columns);
  }
  return rows;
}

void ChooseWhenOpenFileDialogShows(std::wstring name, std::string& folder) {
  // A message box or a common dialog.
  testing_support::WhenModalShows(L"#32770", [name, &folder](HWND box) {
    std::wstring shown(MAX_PATH, L'\0');
    const auto length =
        SendMessageW(box, CDM_GETFOLDERPATH, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
    shown.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    folder = controls::Utf8(shown);
    // The file name box is a combo box in the Explorer-style dialog, an edit otherwise.
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
}

void TypeWhenKeyboardShows(std::wstring typed, KeyboardSession& session) {
  // The keyboard dialog's window class.
  testing_support::WhenModalShows(L"frmANumKey", [typed, &session](HWND dialog) {
    session.shown = true;
    session.title = WindowText(dialog);
    // Keys go where the user's keys go: to the focused control, which the dialog's key
    // preview watches.
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != dialog && !IsChild(dialog, focus))) focus = dialog;
    for (const wchar_t character : typed) SendMessageW(focus, WM_CHAR, character, 0);
    session.display = WindowText(GetDlgItem(dialog, keyboard::control_id::kDisplay));
    SendMessageW(focus, WM_KEYDOWN, VK_RETURN, 0);
  });
}

}  // namespace window_tests
