#include "app/win32/win32_open_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "controls/win32/wide_text.h"

namespace app {

void Win32OpenFileDialog::SetInitDir(std::string_view folder) {
  initDir_ = controls::Wide(folder);
}

// The dialog wants the extension without its dot.
void Win32OpenFileDialog::SetDefaultExt(std::string_view extension) {
  if (extension.starts_with('.')) extension.remove_prefix(1);
  defaultExt_ = controls::Wide(extension);
}

// "文字檔|*.txt" becomes "文字檔\0*.txt\0": each "|" a NUL, the list ended by a second NUL
// when the dialog is shown.
void Win32OpenFileDialog::SetFilter(std::string_view filter) {
  filter_ = controls::Wide(filter);
  for (wchar_t& character : filter_) {
    if (character == L'|') character = L'\0';
  }
  if (!filter_.empty()) filter_.push_back(L'\0');
}

bool Win32OpenFileDialog::ShowOpen() {
  // Room for a long path; the last choice is offered again.
  std::vector<wchar_t> file(32768, L'\0');
  fileName_.copy(file.data(), file.size() - 1);
  const std::wstring filter = filter_ + L'\0';
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initDir_.empty() ? nullptr : initDir_.c_str();
  // No title of its own: the system names the dialog.
  dialog.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  // A name that does not exist may be typed: the caller checks the file and says so.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  // A cancel (or a failure of the dialog) is no choice: the last file name stays.
  if (!GetOpenFileNameW(&dialog)) return false;
  fileName_ = file.data();
  return true;
}

std::string Win32OpenFileDialog::FileName() const {
  return controls::Utf8(fileName_);
}

}  // namespace app
