#include "app/cli/commands.h"

#include <memory>
#include <ostream>
#include <stdexcept>

#include "app/cli/command_line.h"
#include "app/cli/console_user_interface.h"
#include "app/main_form.h"
#include "common/basbase.h"
#include "connection/connection_page.h"
#include "controls/memory_grid.h"
#include "platform/ansi_codepage.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "snapshot/bmregistry.h"
#include "snapshot/registry_page.h"

namespace app::commands {
namespace {

// The "Registry" page as the window sets it up, its check box ticked (the default
// folder and file names), on a grid kept in memory.
struct RegistryPageRun {
  RegistryPageRun() { SetUpFgList(fgList); }

  controls::MemoryGrid fgList;
  NoOpenFileDialog noDialog;
  std::unique_ptr<platform::SettingsStore> store = platform::OpenUserSettingsStore();
  std::string computerName = basBase::GetThisComputerName();
  snapshot::RegistryPage page{fgList,
                              noDialog,
                              [] { return 1; },
                              [this] { return computerName; },
                              platform::ProgramFolder(),
                              *store,
                              nullptr};
};

void PrintLine(std::ostream& out, std::string_view utf8) {
  out << ConsoleText(utf8) << '\n';
}

int DoneOrFailed(bool done) {
  return done ? kDone : kFailed;
}

}  // namespace

int Save(const std::optional<std::string>& file) {
  RegistryPageRun run;
  bool restorable = false;
  const bool saved =
      run.page.SaveSnapshot(file ? *file : run.page.DefaultSnapshotFile(), &restorable);
  // A file whose every restore fails is no snapshot a script may go on with.
  return DoneOrFailed(saved && restorable);
}

int Show(const std::string& file, std::ostream& out) {
  RegistryPageRun run;
  if (!run.page.ShowSnapshot(file)) return kFailed;
  for (const auto& row : run.fgList.DataRows()) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c != 0) line += '\t';
      line += row[c];
    }
    PrintLine(out, line);
  }
  return kDone;
}

int Diff(const std::string& file, std::ostream& out) {
  const auto store = platform::OpenUserSettingsStore();
  const auto changes = bmRegistry::CompareWithStore(file, *store);
  // No comparison is no answer: not "something would change", which a script may act on.
  if (!changes) return kWrongUse;
  for (const bmRegistry::SettingChange& change : *changes) {
    const std::string path = platform::AnsiToUtf8(change.path);
    std::string data = platform::AnsiToUtf8(change.newData);
    // The restore puts a string where another kind of value was: quoted, it reads as one.
    if (change.replacesType) data = '"' + data + '"';
    if (change.oldData) {
      PrintLine(out, "~ " + path + ": " + platform::AnsiToUtf8(*change.oldData) + " -> " + data);
    } else {
      PrintLine(out, "+ " + path + " = " + data);
    }
  }
  return changes->empty() ? kDone : kFailed;
}

int Restore(const std::string& file) {
  RegistryPageRun run;
  return DoneOrFailed(run.page.RestoreSnapshot(file));
}

int SetServer(const std::string& name, std::ostream& out) {
  controls::MemoryGrid fgUpdLog;
  SetUpFgUpdLog(fgUpdLog);
  connection::ConnectionPage page(
      fgUpdLog, {[&name] { return platform::AnsiToUtf8(name); }, [](const std::string&) {}},
      []() -> keyboard::TextEntryDialog& {
        throw std::logic_error("the command line opens no keyboard dialog");
      });
  page.cmdUpdINI_Click();
  // The page refused the name ("請設定電腦名稱"): nothing was done.
  if (fgUpdLog.Rows() == fgUpdLog.FixedRows()) return kWrongUse;
  page.cmdUpdIDMENU_Click();
  // The grid has the newest row on top; the lines follow the order of the work.
  const auto rows = fgUpdLog.DataRows();
  bool allDone = true;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    const std::string& status = (*row)[1];
    allDone = allDone && (status == "修改完成" || status == "資料庫更新完成");
    PrintLine(out, (*row)[0] + "\t" + status);
  }
  return DoneOrFailed(allDone);
}

}  // namespace app::commands
