#include "app/qt/qt_user_interface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "controls/qt/qt_text.h"

namespace app {
namespace {

using controls::ToQString;

QMessageBox::Icon QtIcon(common::Icon icon) {
  switch (icon) {
    case common::Icon::kStop:
      return QMessageBox::Critical;
    case common::Icon::kExclamation:
      return QMessageBox::Warning;
    case common::Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

common::Answer QtUserInterface::MessageBox(std::string_view text, common::Buttons buttons,
                                           common::Icon icon, std::string_view title) {
  // Reports end their lines with CR LF; a label shows a lone CR as a glyph.
  QString message = ToQString(text);
  message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const bool yesNo = buttons == common::Buttons::kYesNo;
  QMessageBox box(QtIcon(icon), ToQString(title), message,
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);  // a "<" in a file name is not markup
  box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return common::Answer::kYes;
    case QMessageBox::No:
      return common::Answer::kNo;
    default:
      return yesNo ? common::Answer::kNo : common::Answer::kOk;
  }
}

void QtUserInterface::Beep() {
  QApplication::beep();
}

void QtUserInterface::SetBusyPointer(bool busy) {
  if (busy) {
    if (QApplication::overrideCursor() != nullptr) {
      QApplication::changeOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    return;
  }
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

std::string QtUserInterface::BrowseForFolder(const common::FolderRequest& request) {
  QFileDialog::Options options;
  if (request.foldersOnly) options |= QFileDialog::ShowDirsOnly;
  const QString folder = QFileDialog::getExistingDirectory(
      static_cast<QWidget*>(request.owner), ToQString(request.title), QString(), options);
  return controls::ToUtf8(folder);
}

}  // namespace app
