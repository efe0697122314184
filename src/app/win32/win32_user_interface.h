#pragma once
// The user-interface seam on Windows: message boxes, the beep, the busy pointer and the
// folder picker, all modal on the one user-interface thread. Texts cross the seam as
// UTF-8 and are shown through the W calls.
#include <windows.h>
// The seam's MessageBox is a method; <windows.h> would rename it to MessageBoxW. Every
// Win32 header that reaches common/user_interface.h does this before including it.
#undef MessageBox

#include "common/user_interface.h"

namespace app {

class Win32UserInterface final : public common::UserInterface {
 public:
  // A box is owned by the thread's window that is up (its main window or the dialog
  // that is up), also when another program has the foreground: modal, its owner disabled.
  common::Answer MessageBox(std::string_view text, common::Buttons buttons, common::Icon icon,
                            std::string_view title) override;
  void Beep() override;
  // Busy shows the wait pointer at once; a window keeps it while busy by calling
  // KeepBusyPointer from its WM_SETCURSOR.
  void SetBusyPointer(bool busy) override;
  // request.owner is the owning HWND (or nullptr: the window a box would have). The
  // chosen folder as UTF-8, or empty text on a cancel and for a choice with no
  // file-system path.
  std::string BrowseForFolder(const common::FolderRequest& request) override;

  // For WM_SETCURSOR: true (and the wait pointer set) while busy, so the window returns
  // TRUE; false leaves the message to DefWindowProc.
  bool KeepBusyPointer() const;

 private:
  bool busy_ = false;
};

}  // namespace app
