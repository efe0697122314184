#include "app/qt/qt_open_file_dialog.h"

#include <QFileDialog>

#include "controls/qt/qt_text.h"
#include "platform/ansi_codepage.h"
#include "platform/paths.h"

namespace app {

using controls::ToQString;

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  // A description without a pattern after it has nothing to filter by and is left out.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters.append(parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

void QtOpenFileDialog::SetInitDir(std::string_view folder) {
  // The page gives the folder in the tool's Windows form ("<program folder>\..\DAT").
  using namespace platform;
  initDir_ = ToQString(AnsiToUtf8(NativePath(Utf8ToAnsi(folder))));
}

void QtOpenFileDialog::SetDefaultExt(std::string_view extension) {
  defaultExt_ = ToQString(extension);
}

void QtOpenFileDialog::SetFilter(std::string_view filter) {
  filter_ = ToQString(filter);
}

bool QtOpenFileDialog::ShowOpen() {
  // No title of its own: the platform names the dialog.
  QFileDialog dialog(owner_, QString(), initDir_, QtNameFilters(filter_));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist may be typed: the caller checks the file and says so.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultExt_);
  // The name of the last choice is offered again, in its own folder.
  if (!fileName_.isEmpty()) dialog.selectFile(fileName_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName_ = dialog.selectedFiles().constFirst();
  return true;
}

std::string QtOpenFileDialog::FileName() const {
  return controls::ToUtf8(fileName_);
}

}  // namespace app
