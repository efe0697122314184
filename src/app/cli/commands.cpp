#include "app/cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "app/cli/command_line.h"
#include "app/cli/console_user_interface.h"
#include "app/cli/readable_text.h"
#include "app/main_form.h"
#include "common/basbase.h"
#include "connection/connection_page.h"
#include "controls/memory_grid.h"
#include "platform/ansi_codepage.h"
#include "platform/paths.h"
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

// Trouble before any work: said on the error stream, exit 2.
bool Refuse(std::ostream& err, const std::string& file, std::string_view why) {
  err << ConsoleText("regtool: " + platform::AnsiToUtf8(file) + ": " + std::string(why)) << '\n';
  return false;
}

// Only a file is read or replaced: reading a FIFO waits for a writer (and the reading
// needs a second pass), and the save's writer refuses to put a file in place of a
// folder or a device; the command says so before any work.
bool FileOrMissing(const std::string& file, std::ostream& err) {
  switch (platform::QueryPath(file)) {
    case platform::PathKind::kDirectory:
      return Refuse(err, file, "a folder, not a file");
    case platform::PathKind::kOther:
      return Refuse(err, file, "not a file (a FIFO, a device or a socket)");
    case platform::PathKind::kMissing:
    case platform::PathKind::kFile:
      break;
  }
  return true;
}

bool CanRead(const std::string& file, std::ostream& err) {
  if (!FileOrMissing(file, err)) return false;
  errno = 0;
  std::FILE* opened = std::fopen(platform::NativePath(file).c_str(), "rb");
  if (opened == nullptr) {
    return Refuse(err, file, std::generic_category().message(errno != 0 ? errno : ENOENT));
  }
  std::fclose(opened);
  return true;
}

// Escaped part by part: the "\" between application, section and key stays one "\".
std::string ReadablePath(std::string_view path) {
  std::string readable;
  for (int separators = 0; separators < 2; ++separators) {
    const std::size_t end = path.find('\\');
    if (end == std::string_view::npos) break;
    readable += Readable(path.substr(0, end)) + '\\';
    path.remove_prefix(end + 1);
  }
  return readable + Readable(path);
}

}  // namespace

int Save(const std::optional<std::string>& file, ConsoleUserInterface& ui, std::ostream& err) {
  RegistryPageRun run;
  const std::string target = file ? *file : run.page.DefaultSnapshotFile();
  if (!FileOrMissing(target, err)) return kWrongUse;
  ui.AskAbout(platform::AnsiToUtf8(platform::NativePath(target)));
  bool restorable = false;
  // A file whose every restore fails is no snapshot a script may go on with.
  if (run.page.SaveSnapshot(target, &restorable)) return DoneOrFailed(restorable);
  // The window's text says that the save failed; the log's details say why.
  if (!ui.LoggedFailure().empty()) PrintLine(err, "regtool: " + ui.LoggedFailure());
  return kFailed;
}

int Show(const std::string& file, std::ostream& out, std::ostream& err) {
  if (!CanRead(file, err)) return kWrongUse;
  RegistryPageRun run;
  if (!run.page.ShowSnapshot(file)) return kFailed;
  for (const auto& row : run.fgList.DataRows()) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c != 0) line += '\t';
      line += Readable(row[c]);
    }
    PrintLine(out, line);
  }
  return kDone;
}

int Diff(const std::string& file, std::ostream& out, std::ostream& err) {
  if (!CanRead(file, err)) return kWrongUse;
  const auto store = platform::OpenUserSettingsStore();
  const auto changes = bmRegistry::CompareWithStore(file, *store);
  // No comparison is no answer: not "something would change", which a script may act on.
  if (!changes) return kWrongUse;
  for (const bmRegistry::SettingChange& change : *changes) {
    const std::string path = ReadablePath(platform::AnsiToUtf8(change.path));
    std::string data = Readable(platform::AnsiToUtf8(change.newData));
    // The restore puts a string where another kind of value was: quoted, it reads as one.
    if (change.replacesType) data = '"' + data + '"';
    if (change.oldData) {
      PrintLine(out, "~ " + path + ": " + Readable(platform::AnsiToUtf8(*change.oldData)) + " -> " +
                         data);
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

int Restore(const std::string& file, std::ostream& err) {
  if (!CanRead(file, err)) return kWrongUse;
  RegistryPageRun run;
  bool undoRefused = false;
  const bool done = run.page.RestoreSnapshot(file, &undoRefused);
  return RestoreStatus(done, undoRefused);
}

int Undo(const std::optional<std::string>& file, std::ostream& err) {
  std::string path;
  if (file) {
    path = *file;
  } else if (const auto files = bmRegistry::ListUndoFiles(); !files.empty()) {
    path = files.front().path;
  } else {
    common::MsgBox("No undo file in " + platform::AnsiToUtf8(platform::UndoFolderPath()));
    return kWrongUse;
  }
  if (!CanRead(path, err)) return kWrongUse;
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
