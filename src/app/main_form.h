#pragma once
// What the main window does, whatever toolkit draws it: the computer name, start-up
// (Form_Load, InitForm) over the Grid and TabControl interfaces, and the two pages
// wired to the commands of the control table. A front-end builds the controls, hands
// them over here, and calls Run with a control's command when the user clicks it.
#include <functional>
#include <memory>
#include <string>

#include "app/fm_reg_tool_layout.h"
#include "common/user_interface.h"
#include "connection/connection_page.h"
#include "controls/grid.h"
#include "controls/tab_control.h"
#include "keyboard/text_entry.h"

namespace platform {
class SettingsStore;
}  // namespace platform

namespace snapshot {
class RegistryPage;
}  // namespace snapshot

namespace app {

// The two grids as InitForm sets them up (columns, titles, alignments, the header row
// only, fitted); the command line sets up its grids kept in memory the same way.
void SetUpFgList(controls::Grid& fgList);
void SetUpFgUpdLog(controls::Grid& fgUpdLog);

// The window's parts that start-up and the pages drive. They must outlive the form.
struct FormParts {
  controls::Grid& fgList;
  controls::Grid& fgUpdLog;
  controls::TabControl& tabPage;
  common::OpenFileDialog& CommonDialog1;
  std::function<bool()> chkDefault;  // ticked
  connection::TextBoxAccess txtComputerName;
  // frmANumKey, made on its first use; the dialog must outlive the form.
  std::function<keyboard::TextEntryDialog&()> createKeyboard;
  void* browseOwner;  // the window that owns the folder picker
  // cmdExit: ends the program at once, every window of it included.
  std::function<void()> endProgram;
};

class MainForm {
 public:
  // Where the computer name comes from; tests put a failing or empty source here. By
  // default the platform's.
  using ComputerNameSource = std::function<std::string()>;

  MainForm(FormParts parts, ComputerNameSource computerName = nullptr);
  ~MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // The window's load event: run it once, before the window is first shown.
  void Form_Load();

  // The handler a control of the table runs; `index` is the member of a control array.
  void Run(Command command, int index = 0);

  // This machine's computer name (ANSI, as the platform gives it), set once at start.
  const std::string& ComputerName() const { return computerName_; }

 private:
  void InitForm();

  FormParts parts_;
  ComputerNameSource computerNameSource_;
  std::string computerName_;
  std::unique_ptr<platform::SettingsStore> settingsStore_;
  std::unique_ptr<snapshot::RegistryPage> registryPage_;
  connection::ConnectionPage connectionPage_;
};

}  // namespace app
