#include "app/win32/win32_user_interface.h"

#include <objbase.h>
#include <shlobj.h>

#include "controls/win32/wide_text.h"

namespace app {
namespace {

UINT Style(common::Buttons buttons, common::Icon icon) {
  UINT style = buttons == common::Buttons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case common::Icon::kStop:
      style |= MB_ICONSTOP;
      break;
    case common::Icon::kExclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case common::Icon::kNone:
      break;
  }
  return style;
}

// The window a box or dialog belongs to, so it is modal to it: the thread's active
// window, or, when another program is in front and the thread has none, its topmost
// shown window that takes input and has no owner (the main window, or the dialog that
// is up, which has disabled the main window).
HWND ModalOwner() {
  if (const HWND active = GetActiveWindow(); active != nullptr) return active;
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        if (!IsWindowVisible(window) || !IsWindowEnabled(window) ||
            GetWindow(window, GW_OWNER) != nullptr) {
          return TRUE;
        }
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void ShowWaitPointer() {
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

// The folder dialog needs COM on this thread; whoever started it there ends it.
class ComOnThisThread {
 public:
  ComOnThisThread()
      : started_(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  }
  ~ComOnThisThread() {
    if (started_) CoUninitialize();
  }
  ComOnThisThread(const ComOnThisThread&) = delete;
  ComOnThisThread& operator=(const ComOnThisThread&) = delete;

 private:
  bool started_;
};

}  // namespace

common::Answer Win32UserInterface::MessageBox(std::string_view text, common::Buttons buttons,
                                              common::Icon icon, std::string_view title) {
  const bool yesNo = buttons == common::Buttons::kYesNo;
  switch (::MessageBoxW(ModalOwner(), controls::Wide(text).c_str(), controls::Wide(title).c_str(),
                        Style(buttons, icon))) {
    case IDYES:
      return common::Answer::kYes;
    case IDNO:
      return common::Answer::kNo;
    default:
      // Also a box that could not be shown: no is the answer that changes nothing.
      return yesNo ? common::Answer::kNo : common::Answer::kOk;
  }
}

void Win32UserInterface::Beep() {
  MessageBeep(MB_OK);
}

void Win32UserInterface::SetBusyPointer(bool busy) {
  busy_ = busy;
  if (busy) {
    ShowWaitPointer();
  } else {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
}

bool Win32UserInterface::KeepBusyPointer() const {
  if (busy_) ShowWaitPointer();
  return busy_;
}

std::string Win32UserInterface::BrowseForFolder(const common::FolderRequest& request) {
  const ComOnThisThread com;
  const std::wstring title = controls::Wide(request.title);
  BROWSEINFOW browse{};
  browse.hwndOwner = request.owner != nullptr ? static_cast<HWND>(request.owner) : ModalOwner();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = request.foldersOnly ? BIF_RETURNONLYFSDIRS : 0;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return std::string();
  // A choice with no file-system path leaves the buffer empty.
  wchar_t path[MAX_PATH] = {};
  SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  return controls::Utf8(path);
}

}  // namespace app
