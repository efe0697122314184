#pragma once
// The main window in Qt: the controls of the shared layout table as widgets. Start-up,
// the computer name and the pages' commands are the shared form's (app/main_form.h);
// this class builds the widgets and routes their clicks to it.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/main_form.h"
#include "common/user_interface.h"
#include "controls/grid.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace keyboard {
class NumKeyDialog;
}  // namespace keyboard

namespace controls {
class QtCaptionPanel;
class QtGrid;
class QtTabControl;
}  // namespace controls

namespace app {
class PictureButton;
class TextBox;

// Every control of the window, by its designer name.
struct fmRegToolControls {
  controls::QtCaptionPanel* vsElastic1 = nullptr;
  controls::QtTabControl* tabPage = nullptr;
  controls::QtCaptionPanel* vsElastic2 = nullptr;  // the "Registry" page
  controls::QtCaptionPanel* vsElastic3 = nullptr;  // the "連線設定" page
  // "Registry" page
  controls::QtGrid* fgList = nullptr;
  QCheckBox* chkDefault = nullptr;
  QPushButton* cmdLoadReg = nullptr;
  QPushButton* cmdReadRegFile = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdGetCurrentReg = nullptr;
  // "連線設定" page
  QLabel* Label28 = nullptr;
  TextBox* txtComputerName = nullptr;
  PictureButton* cmdInputName = nullptr;
  QGroupBox* Frame2 = nullptr;
  controls::QtGrid* fgUpdLog = nullptr;
  PictureButton* cmdUpdINI = nullptr;
  PictureButton* cmdUpdIDMENU = nullptr;
  // One control array: index 0 on the "Registry" page, index 1 on "連線設定".
  std::array<QPushButton*, 2> cmdExit{};
};

}  // namespace app

class fmRegTool final : public QWidget {
 public:
  // Where the computer name comes from; tests put a failing or empty source here.
  using ComputerNameSource = app::MainForm::ComputerNameSource;

  // Builds the window and runs its load event, so the window is set up before it is
  // first shown. Install the user interface first: a failed set-up is reported.
  explicit fmRegTool(ComputerNameSource computerName = nullptr, QWidget* parent = nullptr);
  ~fmRegTool() override;

  // This machine's computer name (ANSI, as the platform gives it), set once at start.
  const std::string& ComputerName() const { return form_->ComputerName(); }

  const app::fmRegToolControls& Controls() const { return controls_; }
  controls::Grid& fgList();
  controls::Grid& fgUpdLog();
  bool DefaultFilesChecked() const;  // chkDefault
  common::OpenFileDialog& CommonDialog1() { return *commonDialog1_; }
  std::string ComputerNameText() const;  // txtComputerName, UTF-8
  void SetComputerNameText(std::string_view text);

  // Both exit buttons: the program ends at once, unsaved rows and all.
  void cmdExit_Click(int index);

 protected:
  // Enter on a focused button clicks it, as in a Windows window; a push button outside a
  // dialog lets the key pass on up to here.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Every control of the layout table on its page, each click (the text box's
  // double-click) running the control's command on the form.
  void BuildControls();

  app::fmRegToolControls controls_;
  std::unique_ptr<common::OpenFileDialog> commonDialog1_;
  // frmANumKey, created on first use; declared before the form that uses it.
  std::unique_ptr<keyboard::NumKeyDialog> keyboard_;
  std::unique_ptr<app::MainForm> form_;
};
