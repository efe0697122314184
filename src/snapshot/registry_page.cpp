#include "snapshot/registry_page.h"

#include "common/basbase.h"
#include "common/trap.h"
#include "platform/ansi_codepage.h"
#include "snapshot/bmregistry.h"

namespace snapshot {
namespace {

constexpr std::string_view kSaveLabel = "frmReg_cmdSave_Click";
constexpr std::string_view kReadFileLabel = "frmReg_cmdReadRegFile_Click";
constexpr std::string_view kReadFileFailed = "自文字檔讀入Registry失敗";
constexpr std::string_view kRestoreLabel = "frmReg_cmdLoadReg_Click";
constexpr std::string_view kRestoreFailed = "復原Registry失敗";

// The save names this many of the settings its file cannot give back.
constexpr std::size_t kNamedSettings = 5;

// Says how many settings the snapshot just written cannot give back, names the first
// few, and warns when the file cannot be restored at all.
std::string ShortfallMessage(const bmRegistry::RestoreShortfall& shortfall) {
  const std::string count = std::to_string(shortfall.settings.size());
  std::string text = "已存檔，但有 " + count + " 項設定無法由此檔案原樣復原：";
  for (std::size_t i = 0; i < shortfall.settings.size() && i < kNamedSettings; ++i) {
    text += "\r\n" + platform::AnsiToUtf8(shortfall.settings[i]);
  }
  if (shortfall.settings.size() > kNamedSettings) text += "\r\n……等 " + count + " 項";
  if (shortfall.wholeFileRefused) text += "\r\n由於其中部分設定，復原此檔案時將整個失敗。";
  return text;
}

}  // namespace

RegistryPage::RegistryPage(controls::Grid& fgList, common::OpenFileDialog& CommonDialog1,
                           std::function<int()> chkDefault,
                           std::function<std::string()> ComputerName, std::string programFolder,
                           platform::SettingsStore& store, void* browseOwner)
    : fgList_(fgList),
      CommonDialog1_(CommonDialog1),
      chkDefault_(std::move(chkDefault)),
      ComputerName_(std::move(ComputerName)),
      programFolder_(std::move(programFolder)),
      store_(store),
      browseOwner_(browseOwner) {}

std::string RegistryPage::DefaultFolder() const {
  return programFolder_ + "\\..\\DAT";
}

std::string RegistryPage::SnapshotName(std::string_view extension) const {
  return "Reg_" + ComputerName_() + std::string(extension);
}

std::string RegistryPage::ChooseFileToRead() {
  std::string file;
  if (UseDefaults()) {
    file = DefaultFolder() + "\\" + SnapshotName(".txt");
  } else {
    CommonDialog1_.SetInitDir(platform::AnsiToUtf8(DefaultFolder()));
    CommonDialog1_.SetDefaultExt(".txt");
    CommonDialog1_.SetFilter("文字檔|*.txt");
    // The dialog keeps its last file name, also through a cancel: a cancel is no
    // choice, or "復原Registry" would restore a file the user just declined.
    if (CommonDialog1_.ShowOpen()) file = platform::Utf8ToAnsi(CommonDialog1_.FileName());
  }
  if (file.empty()) common::MsgBox("請選擇文字檔");
  return file;
}

void RegistryPage::FitColumns() {
  fgList_.AutoSize(0, fgList_.Cols() - 1);
}

void RegistryPage::cmdGetCurrentReg_Click() {
  common::TrapShow("frmReg_cmdGetCurrentReg_Click", [&] {
    fgList_.SetRows(1);
    if (!bmRegistry::GetCurrentKey(fgList_, store_)) {
      common::MsgBox("讀取Registry失敗");
      return;
    }
    FitColumns();
  });
}

void RegistryPage::RunOnChosenFile(std::string_view label, std::string_view failureMessage,
                                   const FileRoutine& routine) {
  std::string file;
  common::TrapShow(label, [&] { file = ChooseFileToRead(); });
  if (!file.empty()) RunOnFile(label, failureMessage, routine, file);
}

bool RegistryPage::RunOnFile(std::string_view label, std::string_view failureMessage,
                             const std::function<bool(const std::string&)>& routine,
                             const std::string& file) {
  bool done = false;
  common::TrapShow(label, [&] {
    if (!routine(file)) {
      common::MsgBox(failureMessage);
      return;
    }
    FitColumns();
    done = true;
  });
  return done;
}

void RegistryPage::cmdReadRegFile_Click() {
  RunOnChosenFile(kReadFileLabel, kReadFileFailed, ReadFileRoutine());
}

bool RegistryPage::ShowSnapshot(const std::string& file) {
  return RunOnFile(kReadFileLabel, kReadFileFailed, ReadFileRoutine(), file);
}

void RegistryPage::cmdLoadReg_Click() {
  RunOnChosenFile(kRestoreLabel, kRestoreFailed, RestoreRoutine(nullptr));
}

bool RegistryPage::RestoreSnapshot(const std::string& file, bool* undoRefused) {
  return RunOnFile(kRestoreLabel, kRestoreFailed, RestoreRoutine(undoRefused), file);
}

RegistryPage::FileRoutine RegistryPage::ReadFileRoutine() {
  return [this](const std::string& file) { return bmRegistry::LoadRegistryToFG(fgList_, file); };
}

RegistryPage::FileRoutine RegistryPage::RestoreRoutine(bool* undoRefused) {
  // The grid keeps what it showed; "讀取本機Registry" shows the restored settings.
  return [this, undoRefused](const std::string& file) {
    return bmRegistry::LoadRegistry(file, store_, undoRefused);
  };
}

std::string RegistryPage::DefaultSnapshotFile() const {
  return DefaultFolder() + "\\" + SnapshotName(".TXT");
}

void RegistryPage::cmdSave_Click() {
  std::string file;
  common::TrapShow(kSaveLabel, [&] {
    if (UseDefaults()) {
      file = DefaultSnapshotFile();
      return;
    }
    basComDlg::BrowseOwner = browseOwner_;
    basComDlg::BrowseTitle = "選擇目錄";
    basComDlg::BrowseFoldersOnly = true;
    const std::string folder = basComDlg::BrowseForFolder();
    // A cancelled picker ends the command: nothing is written anywhere.
    if (folder.empty()) return;
    file = basBase::WithTrailing(folder, "\\") + SnapshotName(".TXT");
  });
  if (!file.empty()) SaveSnapshot(file);
}

bool RegistryPage::SaveSnapshot(const std::string& file, bool* restorable) {
  bool saved = false;
  common::TrapShow(kSaveLabel, [&] {
    // Names match ignoring case as the platform's paths do: where the readers' "Reg_X.txt"
    // exists, the save asks about that file and replaces it rather than writing a second
    // one beside it.
    if (basBase::IsFile(file) &&
        common::MsgBox("該文字檔已存在，要覆蓋嗎?", common::Buttons::kYesNo, common::Icon::kNone,
                       "檔案已存在") != common::Answer::kYes) {
      return;
    }
    bmRegistry::RestoreShortfall shortfall;
    if (!bmRegistry::GetCurrentKeyToFile(file, store_, &shortfall)) {
      common::MsgBox("存檔失敗");
      return;
    }
    // The file is written from the store; the grid's rows stay as they are.
    FitColumns();
    // The file keeps the plain comma format that others read; what it cannot give back
    // is told now, not found out at the restore.
    if (!shortfall.settings.empty()) {
      common::MsgBox(ShortfallMessage(shortfall), common::Buttons::kOk, common::Icon::kExclamation);
    }
    if (restorable != nullptr) *restorable = !shortfall.wholeFileRefused;
    saved = true;
  });
  return saved;
}

}  // namespace snapshot
