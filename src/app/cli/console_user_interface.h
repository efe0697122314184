#pragma once
// The user-interface seam of a command-line run: a box becomes its text on the error
// stream, and a question is answered No unless the caller said --yes beforehand. There
// is no pointer to show busy and no one to pick a folder.
#include <iosfwd>
#include <string>
#include <utility>

#include "common/user_interface.h"

namespace app {

class ConsoleUserInterface final : public common::UserInterface {
 public:
  // Installs itself for its lifetime.
  ConsoleUserInterface(std::ostream& err, bool answerYes);
  ~ConsoleUserInterface() override;
  ConsoleUserInterface(const ConsoleUserInterface&) = delete;
  ConsoleUserInterface& operator=(const ConsoleUserInterface&) = delete;

  common::Answer MessageBox(std::string_view text, common::Buttons buttons, common::Icon icon,
                            std::string_view title) override;
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  // Nobody is there to choose: a cancel.
  std::string BrowseForFolder(const common::FolderRequest&) override { return {}; }
  void FailureLogged(std::string_view description) override;

  // The file (UTF-8) a question is about: the question names it, as no one sees the
  // window's title or the folder it was chosen in.
  void AskAbout(std::string file) { questionSubject_ = std::move(file); }
  // The last failure a routine logged (UTF-8), or empty text.
  const std::string& LoggedFailure() const { return loggedFailure_; }

 private:
  std::ostream& err_;
  bool answerYes_;
  std::string questionSubject_;
  std::string loggedFailure_;
};

// The open-file dialog of a command-line run: the commands name their files, and a
// dialog shown regardless is cancelled.
class NoOpenFileDialog final : public common::OpenFileDialog {
 public:
  void SetInitDir(std::string_view) override {}
  void SetDefaultExt(std::string_view) override {}
  void SetFilter(std::string_view) override {}
  bool ShowOpen() override { return false; }
  std::string FileName() const override { return {}; }
};

// UTF-8 text as the standard streams take it, every line ended by "\n" (a box's CR LF
// included).
std::string ConsoleText(std::string_view utf8);

}  // namespace app
