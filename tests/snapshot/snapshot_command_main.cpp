// A second copy of the tool's snapshot routines in a process of its own, for the tests
// that need real processes working on one store at once, or a process with other
// rights. The store is the user's (XDG_CONFIG_HOME decides where it lives).
//   snapshot_command restore FILE...   LoadRegistry of each file in turn
//   snapshot_command save FILE...      GetCurrentKeyToFile into each file in turn
// Every message box is printed on standard output as "box: " and its text with line
// ends as "\n", and answered Yes or OK. The exit status is the number of routines that
// returned False.
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "common/user_interface.h"
#include "platform/settings_store.h"
#include "snapshot/bmregistry.h"

namespace {

class PrintingUi final : public common::UserInterface {
 public:
  common::Answer MessageBox(std::string_view text, common::Buttons buttons, common::Icon,
                            std::string_view) override {
    std::string line = "box: ";
    for (const char c : text) {
      if (c == '\r') continue;
      line += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    std::cout << line << std::endl;
    return buttons == common::Buttons::kYesNo ? common::Answer::kYes : common::Answer::kOk;
  }
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  std::string BrowseForFolder(const common::FolderRequest&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "restore") != 0 && std::strcmp(argv[1], "save") != 0)) {
    std::cerr << "usage: snapshot_command restore|save FILE...\n";
    return 100;
  }
  PrintingUi ui;
  common::InstallUserInterface(&ui);
  const bool restore = std::strcmp(argv[1], "restore") == 0;
  const auto store = platform::OpenUserSettingsStore();
  int failed = 0;
  for (int i = 2; i < argc; ++i) {
    const bool done = restore ? bmRegistry::LoadRegistry(argv[i], *store)
                              : bmRegistry::GetCurrentKeyToFile(argv[i], *store);
    failed += done ? 0 : 1;
  }
  common::InstallUserInterface(nullptr);
  return failed;
}
