#pragma once
// The window's open-file dialog component on Qt. Its settings and the chosen file name
// stay between uses; a cancelled dialog leaves the file name as it was.
#include <QString>

#include "common/user_interface.h"

class QWidget;

namespace app {

class QtOpenFileDialog final : public common::OpenFileDialog {
 public:
  explicit QtOpenFileDialog(QWidget* owner) : owner_(owner) {}

  void SetInitDir(std::string_view folder) override;
  void SetDefaultExt(std::string_view extension) override;
  void SetFilter(std::string_view filter) override;
  bool ShowOpen() override;
  std::string FileName() const override;

 private:
  QWidget* owner_;
  QString initDir_;
  QString defaultExt_;
  QString filter_;
  QString fileName_;
};

// "description|pattern" pairs ("文字檔|*.txt|所有檔案|*.*") as Qt's name filters
// ("文字檔 (*.txt);;所有檔案 (*.*)"); several patterns in one pair, separated by ";",
// become one space-separated list.
QString QtNameFilters(const QString& filter);

}  // namespace app
