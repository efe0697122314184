#pragma once
// The seam for what a user sees: message boxes, the beep, the busy pointer, the folder
// picker and the open-file dialog. The application installs a Qt implementation; tests
// install a scripted one that records every box. All texts are UTF-8.
#include <string>
#include <string_view>

namespace common {

// The title of every box that has no title of its own.
inline constexpr std::string_view kAppTitle = "系統設定工具";

enum class Buttons { kOk, kYesNo };
enum class Icon { kNone, kStop, kExclamation };
enum class Answer { kOk, kYes, kNo };

struct FolderRequest {
  void* owner = nullptr;  // the owning window, as the implementation knows it
  std::string title;
  bool foldersOnly = false;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual Answer MessageBox(std::string_view text, Buttons buttons, Icon icon,
                            std::string_view title) = 0;
  virtual void Beep() = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  // The chosen folder, or empty text when the user cancels.
  virtual std::string BrowseForFolder(const FolderRequest& request) = 0;
  // A failure a routine only logged, as the window shows its own text instead (a save's
  // "存檔失敗"); a command line tells the details as well.
  virtual void FailureLogged(std::string_view /*description*/) {}
};

// The open-file dialog component of a window: its five operations. The file name
// stays between uses; showing the dialog does not clear it, and a cancel leaves it as
// it was, so only ShowOpen's result tells a choice from a cancel.
class OpenFileDialog {
 public:
  virtual ~OpenFileDialog() = default;
  virtual void SetInitDir(std::string_view folder) = 0;
  virtual void SetDefaultExt(std::string_view extension) = 0;
  virtual void SetFilter(std::string_view filter) = 0;  // "description|pattern"
  virtual bool ShowOpen() = 0;                          // modal; true when the user chose a file
  virtual std::string FileName() const = 0;
};

// The process's one user interface; set at start-up (or by a test fixture).
UserInterface& Ui();
void InstallUserInterface(UserInterface* ui);

// Hands a logged failure to the installed user interface, if there is one yet.
void NoteLoggedFailure(std::string_view description);

// A box with the application's title.
Answer MsgBox(std::string_view text, Buttons buttons = Buttons::kOk, Icon icon = Icon::kNone,
              std::string_view title = kAppTitle);

// Shows the busy pointer for a scope.
class BusyPointer {
 public:
  BusyPointer() { Ui().SetBusyPointer(true); }
  ~BusyPointer() { Ui().SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace common
