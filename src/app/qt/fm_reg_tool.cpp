#include "app/qt/fm_reg_tool.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include "app/qt/artwork.h"
#include "app/qt/qt_open_file_dialog.h"
#include "app/qt/text_box.h"
#include "app/qt/window_fonts.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "controls/qt/qt_text.h"
#include "keyboard/qt/numkey_dialog.h"

fmRegTool::fmRegTool(ComputerNameSource computerName, QWidget* parent)
    : QWidget(parent), commonDialog1_(std::make_unique<app::QtOpenFileDialog>(this)) {
  setWindowTitle(controls::ToQString(common::kAppTitle));
  setWindowIcon(app::ApplicationIcon());
  setFont(app::WindowFont());
  BuildControls();
  form_ = std::make_unique<app::MainForm>(
      app::FormParts{
          .fgList = *controls_.fgList,
          .fgUpdLog = *controls_.fgUpdLog,
          .tabPage = *controls_.tabPage,
          .CommonDialog1 = *commonDialog1_,
          .chkDefault = [this] { return DefaultFilesChecked(); },
          .txtComputerName = {[this] { return ComputerNameText(); },
                              [this](const std::string& text) { SetComputerNameText(text); }},
          .createKeyboard = [this]() -> keyboard::TextEntryDialog& {
            if (!keyboard_) keyboard_ = std::make_unique<keyboard::NumKeyDialog>();
            return *keyboard_;
          },
          .browseOwner = static_cast<QWidget*>(this),
          .endProgram =
              [] {
                // Every window goes, the hidden keyboard dialog too, and the event loop
                // ends, so no further event of this window runs.
                QApplication::closeAllWindows();
                QCoreApplication::exit(0);
              },
      },
      std::move(computerName));
  form_->Form_Load();
}

fmRegTool::~fmRegTool() = default;

void fmRegTool::cmdExit_Click(int index) {
  form_->Run(app::Command::kExit, index);
}

void fmRegTool::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && plain && button != nullptr && isAncestorOf(button)) {
    button->click();
    return;
  }
  QWidget::keyPressEvent(event);
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
