#pragma once
// The user-interface seam on Qt: message boxes, the beep, the busy pointer and the
// folder picker, all modal on the one user-interface thread.
#include "common/user_interface.h"

namespace app {

class QtUserInterface final : public common::UserInterface {
 public:
  common::Answer MessageBox(std::string_view text, common::Buttons buttons, common::Icon icon,
                            std::string_view title) override;
  void Beep() override;
  // Busy shows the wait pointer over the whole application; not busy restores the
  // default pointer however often busy was asked for.
  void SetBusyPointer(bool busy) override;
  std::string BrowseForFolder(const common::FolderRequest& request) override;
};

}  // namespace app
