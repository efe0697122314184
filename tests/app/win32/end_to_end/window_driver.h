#pragma once
// Drives the Win32 main window as a user would, with window messages only: controls are
// found by their designer names in the layout table, pages chosen by a click on their
// tab, buttons clicked, boxes ticked and typed into, and the grids read back through the
// list view's own messages, so every step goes through the controls and the message
// routing between them. Windows builds only.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace app {
class fmRegTool;
}  // namespace app

namespace window_tests {

using Rows = std::vector<std::vector<std::string>>;

class WindowDriver {
 public:
  explicit WindowDriver(app::fmRegTool& window) : window_(window) {}

  HWND Control(std::string_view name) const;

  // A click on the tab of the page (0 "Registry", 1 "連線設定"), as the mouse gives it.
  void ClickTab(int index);
  // A click on a button, check box or picture button: it runs to its end, modal boxes
  // and dialogs included, before this returns.
  void Click(std::string_view name);
  // A double-click with the left button, as the mouse gives it.
  void DoubleClick(std::string_view name);
  void SetTicked(std::string_view name, bool ticked);
  bool Ticked(std::string_view name) const;
  std::string Text(std::string_view name) const;  // UTF-8
  void SetText(std::string_view name, std::string_view utf8);

  // What a grid shows: the header's titles, and every row below it with as many cells
  // as the header has columns.
  std::vector<std::string> Titles(std::string_view grid) const;
  Rows Shown(std::string_view grid) const;

 private:
  app::fmRegTool& window_;
};

// `rows` with every row padded with empty cells to `columns`.
Rows PaddedTo(Rows rows, std::size_t columns);

// What the keyboard dialog showed while a script typed into it.
struct KeyboardSession {
  bool shown = false;
  std::string title;    // the dialog's caption
  std::string display;  // its display just before the Enter key
};

// Arms an answer for the open-file dialog that the next command opens: `name` typed as
// the file name (relative to the dialog's folder), then "開啟". `folder` receives the
// folder the dialog was showing; it must outlive the command.
void ChooseWhenOpenFileDialogShows(std::wstring name, std::string& folder);

// Arms an answer for the keyboard dialog that the next command opens: once it shows,
// `typed` goes to it as characters from the physical keyboard, then the Enter key.
// `session` must outlive the command.
void TypeWhenKeyboardShows(std::wstring typed, KeyboardSession& session);

}  // namespace window_tests
