#pragma once
// The window's open-file dialog component on Windows (GetOpenFileNameW). Its settings
// and the chosen file name stay between uses; the last choice is offered again, and a
// cancelled dialog leaves the file name as it was.
#include <windows.h>
// The seam's MessageBox is a method; <windows.h> would rename it to MessageBoxW.
#undef MessageBox

#include <string>

#include "common/user_interface.h"

namespace app {

class Win32OpenFileDialog final : public common::OpenFileDialog {
 public:
  explicit Win32OpenFileDialog(HWND owner) : owner_(owner) {}

  void SetInitDir(std::string_view folder) override;
  void SetDefaultExt(std::string_view extension) override;  // with or without the dot
  void SetFilter(std::string_view filter) override;         // "description|pattern|..."
  bool ShowOpen() override;
  std::string FileName() const override;  // UTF-8

 private:
  HWND owner_;
  std::wstring initDir_;
  std::wstring defaultExt_;
  std::wstring filter_;  // as GetOpenFileNameW takes it: pairs separated by NULs
  std::wstring fileName_;
};

}  // namespace app
