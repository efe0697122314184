#include "common/user_interface.h"

#include <cstdlib>
#include <cstdio>

namespace common {
namespace {
UserInterface* installed = nullptr;
}

UserInterface& Ui() {
  if (installed == nullptr) {
    // A routine that reports before start-up installed the seam is a programming
    // error; fail loudly rather than lose the report.
    std::fputs("RegTool: no user interface installed\n", stderr);
    std::abort();
  }
  return *installed;
}

void InstallUserInterface(UserInterface* ui) { installed = ui; }

void NoteLoggedFailure(std::string_view description) {
  if (installed != nullptr) installed->FailureLogged(description);
}

Answer MsgBox(std::string_view text, Buttons buttons, Icon icon, std::string_view title) {
  return Ui().MessageBox(text, buttons, icon, title);
}

}  // namespace common
