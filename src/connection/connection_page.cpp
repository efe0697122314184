#include "connection/connection_page.h"

#include <array>
#include <utility>

#include "common/basbase.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "connection/basadodb.h"
#include "connection/connection_strings.h"
#include "platform/ansi_codepage.h"

namespace connection {
namespace {

// The three programs' parameter files, in the order they are updated.
struct ParameterFile {
  std::string_view rowText;
  std::string_view path;
  std::string_view key;
  bool holdsServerName;  // else the main database's connection string
};
constexpr std::array<ParameterFile, 3> kParameterFiles = {{
    {"VODureza.INI", "C:\\VODureza\\VODureza.ini", "DBSource", true},
    {"VARIrazEve.INI", "C:\\VARIrazEve\\VARIrazEve.ini", "GCNT", false},
    {"DODOZOvi.INI", "C:\\DODOZOvi\\DODOZOvi.ini", "GCNT", false},
}};
constexpr std::string_view kSection = "PARAM";

// Result rows go directly under the header, above every earlier row.
constexpr int kResultRow = 1;

}  // namespace

std::string_view MenuUpdateStatus(std::optional<long long> affectedRows) {
  return affectedRows.value_or(0) == 0 ? "資料庫更新失敗" : "資料庫更新完成";
}

ConnectionPage::ConnectionPage(controls::Grid& fgUpdLog, TextBoxAccess txtComputerName,
                               std::function<keyboard::TextEntryDialog&()> createKeyboard)
    : fgUpdLog_(fgUpdLog),
      txtComputerName_(std::move(txtComputerName)),
      createKeyboard_(std::move(createKeyboard)) {}

void ConnectionPage::cmdInputName_Click() {
  EnterServerName("fmRegTool_cmdInputName_Click");
}

void ConnectionPage::txtComputerName_DblClick() {
  EnterServerName("fmRegTool_txtComputerName_DblClick");
}

void ConnectionPage::EnterServerName(std::string_view label) {
  common::TrapShow(label, [&] {
    if (keyboard_ == nullptr) keyboard_ = &createKeyboard_();
    // The dialog starts empty: the whole name is keyed anew. A cancelled dialog leaves
    // the box as it was rather than copying whatever the scratch text still holds.
    if (keyboard_->ShowInput(scratchText_)) txtComputerName_.setText(scratchText_);
  });
}

bool ConnectionPage::ServerNameIsSet() {
  const std::string name = txtComputerName_.text();
  if (name.find_first_not_of(' ') != std::string::npos) return true;
  messageText_ = "請設定電腦名稱";
  common::MsgBox(messageText_, common::Buttons::kOk, common::Icon::kStop);
  return false;
}

void ConnectionPage::ShowStatus(std::string_view status) {
  fgUpdLog_.SetTextMatrix(kResultRow, 1, status);
  fgUpdLog_.AutoSize(0, fgUpdLog_.Cols() - 1);
}

void ConnectionPage::cmdUpdINI_Click() {
  common::TrapShow("fmRegTool_cmdUpdINI_Click", [&] {
    if (!ServerNameIsSet()) return;
    // INI files hold ANSI text; the name goes in as typed, blanks included.
    const std::string mainDatabase =
        MainDatabaseConnectionString(platform::Utf8ToAnsi(txtComputerName_.text()));
    for (const ParameterFile& file : kParameterFiles) {
      fgUpdLog_.AddItem({std::string(file.rowText)}, kResultRow);
      if (!basBase::IsFile(file.path)) {
        ShowStatus("檔案找不到");
        continue;
      }
      const std::string value =
          file.holdsServerName ? platform::Utf8ToAnsi(txtComputerName_.text()) : mainDatabase;
      const bool written = basBase::WriteIniValue(file.path, kSection, file.key, value);
      ShowStatus(written ? "修改完成" : "修改失敗");
    }
  });
}

void ConnectionPage::cmdUpdIDMENU_Click() {
  common::TrapShow("fmRegTool_cmdUpdIDMENU_Click", [&] {
    if (!ServerNameIsSet()) return;
    fgUpdLog_.AddItem({"IDMENU"}, kResultRow);
    // The database gets the same ANSI bytes as the parameter files, so the stored
    // connection string matches the one in the INI files byte for byte.
    const std::string name = platform::Utf8ToAnsi(txtComputerName_.text());
    const common::BusyPointer busy;
    basADODB::Connection connection;  // closed when the command ends, however it ends
    if (!basADODB::ConnectADO(MenuDatabaseConnectionString(name), connection)) {
      messageText_ = "資料庫連線失敗";
      ShowStatus(messageText_);
      return;
    }
    sqlText_ = MenuUpdateStatement(name);
    affectedRows_.reset();
    affectedRows_ = connection.Execute(sqlText_);
    messageText_ = MenuUpdateStatus(affectedRows_);
    ShowStatus(messageText_);
  });
}

}  // namespace connection
