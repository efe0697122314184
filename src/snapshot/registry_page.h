#pragma once
// The commands of the "Registry" page. The window owns the page and wires its four
// buttons to the handlers; the page drives the grid, the open-file dialog and the
// settings store it is given.
#include <functional>
#include <string>
#include <string_view>

#include "common/user_interface.h"
#include "controls/grid.h"
#include "platform/settings_store.h"

namespace snapshot {

class RegistryPage {
 public:
  // `chkDefault` reads the check box afresh for every command (0 = ask for a file or
  // folder). `ComputerName` gives the window's computer name as the platform gave it
  // (ANSI). `programFolder` is the folder of the executable in the platform's form,
  // without a trailing separator. `browseOwner` owns the folder picker.
  RegistryPage(controls::Grid& fgList, common::OpenFileDialog& CommonDialog1,
               std::function<int()> chkDefault, std::function<std::string()> ComputerName,
               std::string programFolder, platform::SettingsStore& store, void* browseOwner);

  void cmdGetCurrentReg_Click();  // "讀取本機Registry"
  void cmdReadRegFile_Click();    // "讀入Registry"
  void cmdLoadReg_Click();        // "復原Registry"
  void cmdSave_Click();           // "存檔"

  // The commands on a file the caller names instead of one chosen in a dialog or by
  // the check box, with the same questions, routines and boxes (the command line runs
  // these). `file` is ANSI. True when the command did its work. A save also tells
  // `restorable` (when given) whether a restore of the file it wrote can succeed: false
  // when its warning says the restore would fail as a whole.
  bool SaveSnapshot(const std::string& file, bool* restorable = nullptr);
  bool ShowSnapshot(const std::string& file);
  // `*undoRefused` is set when nothing was restored because no undo file could be written.
  bool RestoreSnapshot(const std::string& file, bool* undoRefused = nullptr);
  // Where "存檔" writes with the check box ticked: program folder + "\..\DAT\Reg_" +
  // computer name + ".TXT" (ANSI).
  std::string DefaultSnapshotFile() const;

 private:
  bool UseDefaults() const { return chkDefault_() != 0; }
  // program folder + "\..\DAT" (ANSI).
  std::string DefaultFolder() const;
  // "Reg_" + computer name + extension (ANSI).
  std::string SnapshotName(std::string_view extension) const;
  // The file a reading command works on (ANSI), or empty text after "請選擇文字檔".
  std::string ChooseFileToRead();
  void FitColumns();
  using FileRoutine = std::function<bool(const std::string&)>;
  FileRoutine ReadFileRoutine();
  FileRoutine RestoreRoutine(bool* undoRefused);
  // A reading command: choose the file, then RunOnFile.
  void RunOnChosenFile(std::string_view label, std::string_view failureMessage,
                       const FileRoutine& routine);
  // Runs `routine` on the file, tells a failure, fits the columns after success.
  bool RunOnFile(std::string_view label, std::string_view failureMessage,
                 const FileRoutine& routine, const std::string& file);

  controls::Grid& fgList_;
  common::OpenFileDialog& CommonDialog1_;
  std::function<int()> chkDefault_;
  std::function<std::string()> ComputerName_;
  std::string programFolder_;
  platform::SettingsStore& store_;
  void* browseOwner_;
};

}  // namespace snapshot
