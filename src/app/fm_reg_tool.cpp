#include "app/fm_reg_tool.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

#include "app/artwork.h"
#include "app/picture_button.h"
#include "app/qt_open_file_dialog.h"
#include "app/text_box.h"
#include "app/window_fonts.h"
#include "common/basbase.h"
#include "common/trap.h"
#include "connection/connection_page.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "controls/qt/qt_text.h"
#include "keyboard/qt/numkey_dialog.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "snapshot/registry_page.h"

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

fmRegTool::fmRegTool(ComputerNameSource computerName, QWidget* parent)
    : QWidget(parent),
      computerNameSource_(computerName ? std::move(computerName) : basBase::GetThisComputerName),
      commonDialog1_(std::make_unique<app::QtOpenFileDialog>(this)) {
  setWindowTitle(controls::ToQString(common::kAppTitle));
  setWindowIcon(app::ApplicationIcon());
  setFont(app::WindowFont());
  BuildControls();
  for (int index = 0; index < static_cast<int>(controls_.cmdExit.size()); ++index) {
    connect(controls_.cmdExit[index], &QPushButton::clicked, this,
            [this, index] { cmdExit_Click(index); });
  }
  WireRegistryPage();
  WireConnectionPage();
  Form_Load();
}

void fmRegTool::WireRegistryPage() {
  settingsStore_ = platform::OpenUserSettingsStore();
  registryPage_ = std::make_unique<snapshot::RegistryPage>(
      *controls_.fgList, *commonDialog1_, [this] { return DefaultFilesChecked() ? 1 : 0; },
      [this] { return ComputerName(); }, platform::ProgramFolder(), *settingsStore_,
      static_cast<QWidget*>(this));
  connect(controls_.cmdGetCurrentReg, &QPushButton::clicked, this,
          [this] { registryPage_->cmdGetCurrentReg_Click(); });
  connect(controls_.cmdReadRegFile, &QPushButton::clicked, this,
          [this] { registryPage_->cmdReadRegFile_Click(); });
  connect(controls_.cmdLoadReg, &QPushButton::clicked, this,
          [this] { registryPage_->cmdLoadReg_Click(); });
  connect(controls_.cmdSave, &QPushButton::clicked, this,
          [this] { registryPage_->cmdSave_Click(); });
}

void fmRegTool::WireConnectionPage() {
  connectionPage_ = std::make_unique<connection::ConnectionPage>(
      *controls_.fgUpdLog,
      connection::TextBoxAccess{[this] { return ComputerNameText(); },
                                [this](const std::string& text) { SetComputerNameText(text); }},
      [this]() -> keyboard::TextEntryDialog& {
        if (!keyboard_) keyboard_ = std::make_unique<keyboard::NumKeyDialog>();
        return *keyboard_;
      });
  connect(controls_.cmdInputName, &QPushButton::clicked, this,
          [this] { connectionPage_->cmdInputName_Click(); });
  connect(controls_.txtComputerName, &app::TextBox::doubleClicked, this,
          [this] { connectionPage_->txtComputerName_DblClick(); });
  connect(controls_.cmdUpdINI, &QPushButton::clicked, this,
          [this] { connectionPage_->cmdUpdINI_Click(); });
  connect(controls_.cmdUpdIDMENU, &QPushButton::clicked, this,
          [this] { connectionPage_->cmdUpdIDMENU_Click(); });
}

fmRegTool::~fmRegTool() = default;

void fmRegTool::Form_Load() {
  // InitForm traps its own failures; this trap only catches a failure of the call.
  common::TrapShow("frmReg_Form_Load", [this] { InitForm(); });
}

void fmRegTool::InitForm() {
  common::TrapShow("frmReg_InitForm", [this] {
    computerName_ = computerNameSource_();
    SetUpGrid(*controls_.fgList, 4, "Key1|Key2|Key3|Value");
    SetUpGrid(*controls_.fgUpdLog, 2, "項目|狀態");
    controls_.tabPage->SetCurrTab(0);
  });
}

void fmRegTool::cmdExit_Click(int /*index*/) {
  // No question and nothing saved: every window goes, the hidden keyboard dialog too,
  // and the event loop ends, so no further event of this window runs.
  QApplication::closeAllWindows();
  QCoreApplication::exit(0);
}

controls::Grid& fmRegTool::fgList() {
  return *controls_.fgList;
}

controls::Grid& fmRegTool::fgUpdLog() {
  return *controls_.fgUpdLog;
}

bool fmRegTool::DefaultFilesChecked() const {
  return controls_.chkDefault->isChecked();
}

std::string fmRegTool::ComputerNameText() const {
  return controls::ToUtf8(controls_.txtComputerName->text());
}

void fmRegTool::SetComputerNameText(std::string_view text) {
  controls_.txtComputerName->setText(controls::ToQString(text));
}
