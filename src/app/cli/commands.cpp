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
#include "platform/undo_folder.h"
#include "snapshot/bmregistry.h"
#include "snapshot/registry_page.h"
#include "snapshot/undo_file.h"

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
  return DoneOrFailed(run.page.SaveSnapshot(file ? *file : run.page.DefaultSnapshotFile()));
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
    const std::string data = platform::AnsiToUtf8(change.newData);
    if (change.oldData) {
      PrintLine(out, "~ " + path + ": " + platform::AnsiToUtf8(*change.oldData) + " -> " + data);
    } else {
      PrintLine(out, "+ " + path + " = " + data);
    }
  }
  return changes->empty() ? kDone : kFailed;
}

// Nothing was changed because no undo file could be written: trouble before any work.
int RestoreStatus(bool done, bool undoRefused) {
  return undoRefused ? kWrongUse : DoneOrFailed(done);
}

int Restore(const std::string& file) {
  RegistryPageRun run;
  bool undoRefused = false;
  const bool done = run.page.RestoreSnapshot(file, &undoRefused);
  return RestoreStatus(done, undoRefused);
}

int Undo(const std::optional<std::string>& file) {
  std::string path;
  if (file) {
    path = *file;
  } else if (const auto files = bmRegistry::ListUndoFiles(); !files.empty()) {
    path = files.front().path;
  } else {
    common::MsgBox("No undo file in " + platform::AnsiToUtf8(platform::UndoFolderPath()));
    return kWrongUse;
  }
  if (!basBase::IsFile(path)) {
    common::MsgBox("File Not Found:" + platform::AnsiToUtf8(path));
    return kWrongUse;
  }
  const auto store = platform::OpenUserSettingsStore();
  bool undoRefused = false;
  const bool done = bmRegistry::ApplyUndoFile(path, *store, &undoRefused);
  return RestoreStatus(done, undoRefused);
}

int ListUndo(std::ostream& out) {
  for (const bmRegistry::UndoFileInfo& info : bmRegistry::ListUndoFiles()) {
    PrintLine(out, platform::AnsiToUtf8(info.path) + "\t" + info.source + "\t" +
                       std::to_string(info.values) + " values");
  }
  return kDone;
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
