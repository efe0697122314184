#pragma once
// The "連線設定" page: the server name entry and the two commands that point the family's
// programs at that server, each leaving result rows in fgUpdLog (newest on top). The
// window owns the widgets and wires its buttons to the handlers here.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/grid.h"
#include "keyboard/text_entry.h"

namespace connection {

// txtComputerName as the page reaches it; texts are UTF-8.
struct TextBoxAccess {
  std::function<std::string()> text;
  std::function<void(const std::string&)> setText;
};

// The status of "修改主選單" for the row count its statement left: no count at all, or 0,
// is a failed update; any other count is "資料庫更新完成", -1 included, since a driver
// that cannot tell the count (SQL Server with NOCOUNT on) still ran the statement.
std::string_view MenuUpdateStatus(std::optional<long long> affectedRows);

class ConnectionPage {
 public:
  // `createKeyboard` is called once, on the first use of the keyboard dialog; the dialog
  // it returns is reused after that and must outlive the page.
  ConnectionPage(controls::Grid& fgUpdLog, TextBoxAccess txtComputerName,
                 std::function<keyboard::TextEntryDialog&()> createKeyboard);

  // Both gestures open the keyboard dialog; an accepted entry replaces the box's text.
  void cmdInputName_Click();
  void txtComputerName_DblClick();

  // "修改系統參數檔": the server name into the three programs' INI files.
  void cmdUpdINI_Click();

  // "修改主選單": the main-menu database pointed at the server.
  void cmdUpdIDMENU_Click();

  // What the last commands left in the page's shared variables.
  const std::string& ScratchText() const { return scratchText_; }
  const std::string& MessageText() const { return messageText_; }
  const std::string& SqlText() const { return sqlText_; }  // ANSI, as sent
  std::optional<long long> AffectedRows() const { return affectedRows_; }

 private:
  void EnterServerName(std::string_view label);
  // False, after telling the user, when the box holds nothing but blanks.
  bool ServerNameIsSet();
  void ShowStatus(std::string_view status);

  controls::Grid& fgUpdLog_;
  TextBoxAccess txtComputerName_;
  std::function<keyboard::TextEntryDialog&()> createKeyboard_;
  keyboard::TextEntryDialog* keyboard_ = nullptr;

  std::string scratchText_;
  std::string messageText_;
  std::string sqlText_;
  std::optional<long long> affectedRows_;
};

}  // namespace connection
