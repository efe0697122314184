#include "app/main_form.h"

#include <string_view>
#include <utility>

#include "common/basbase.h"
#include "common/trap.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "snapshot/registry_page.h"

namespace app {
namespace {

// A grid's set-up: columns, titles, the two alignment passes, header row only, fitted.
// The column count is read back from the grid before each pass.
void SetUpGrid(controls::Grid& grid, int cols, std::string_view titles) {
  grid.SetCols(cols);
  grid.SetFormatString(titles);
  for (int c = 0, n = grid.Cols(); c < n; ++c) {
    grid.SetColAlignment(c, controls::AlignmentAttribute::kFirst, 4);
  }
  for (int c = 0, n = grid.Cols(); c < n; ++c) {
    grid.SetColAlignment(c, controls::AlignmentAttribute::kSecond, 1);
  }
  grid.SetRows(1);
  grid.AutoSize(0, grid.Cols() - 1);
}

}  // namespace

void SetUpFgList(controls::Grid& fgList) {
  SetUpGrid(fgList, 4, "Key1|Key2|Key3|Value");
}

void SetUpFgUpdLog(controls::Grid& fgUpdLog) {
  SetUpGrid(fgUpdLog, 2, "項目|狀態");
}

MainForm::MainForm(FormParts parts, ComputerNameSource computerName)
    : parts_(std::move(parts)),
      computerNameSource_(computerName ? std::move(computerName) : basBase::GetThisComputerName),
      settingsStore_(platform::OpenUserSettingsStore()),
      registryPage_(std::make_unique<snapshot::RegistryPage>(
          parts_.fgList, parts_.CommonDialog1, [this] { return parts_.chkDefault() ? 1 : 0; },
          [this] { return ComputerName(); }, platform::ProgramFolder(), *settingsStore_,
          parts_.browseOwner)),
      connectionPage_(parts_.fgUpdLog, parts_.txtComputerName, parts_.createKeyboard) {}

MainForm::~MainForm() = default;

void MainForm::Form_Load() {
  // InitForm traps its own failures; this trap only catches a failure of the call.
  common::TrapShow("frmReg_Form_Load", [this] { InitForm(); });
}

void MainForm::InitForm() {
  common::TrapShow("frmReg_InitForm", [this] {
    computerName_ = computerNameSource_();
    SetUpFgList(parts_.fgList);
    SetUpFgUpdLog(parts_.fgUpdLog);
    parts_.tabPage.SetCurrTab(0);
  });
}

void MainForm::Run(Command command, int /*index*/) {
  switch (command) {
    case Command::kNone:
      return;
    case Command::kGetCurrentReg:
      return registryPage_->cmdGetCurrentReg_Click();
    case Command::kReadRegFile:
      return registryPage_->cmdReadRegFile_Click();
    case Command::kLoadReg:
      return registryPage_->cmdLoadReg_Click();
    case Command::kSave:
      return registryPage_->cmdSave_Click();
    case Command::kInputName:
      return connectionPage_.cmdInputName_Click();
    case Command::kComputerNameDblClick:
      return connectionPage_.txtComputerName_DblClick();
    case Command::kUpdINI:
      return connectionPage_.cmdUpdINI_Click();
    case Command::kUpdIDMENU:
      return connectionPage_.cmdUpdIDMENU_Click();
    case Command::kExit:
      // cmdExit_Click: both members alike, no question, nothing saved.
      return parts_.endProgram();
  }
}

}  // namespace app
