#pragma once
// The user-interface seam for tests: every box is recorded and answered from a queue;
// a box with no queued answer, or an answer left unused, fails the test.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/user_interface.h"

namespace testing_support {

struct ShownBox {
  std::string text;
  common::Buttons buttons;
  common::Icon icon;
  std::string title;
};

class ScriptedUi : public common::UserInterface {
 public:
  // Installs itself for its lifetime.
  ScriptedUi();
  ~ScriptedUi() override;

  // The answer for the next box.
  void ExpectBox(common::Answer answer = common::Answer::kOk) { answers_.push_back(answer); }
  // The result of the next folder picker; nullopt is a cancel.
  void QueueFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }

  const std::vector<ShownBox>& boxes() const { return boxes_; }
  int beeps() const { return beeps_; }
  bool busy() const { return busy_; }
  int busyShown() const { return busyShown_; }
  const std::vector<common::FolderRequest>& folderRequests() const { return folderRequests_; }

  common::Answer MessageBox(std::string_view text, common::Buttons buttons, common::Icon icon,
                            std::string_view title) override;
  void Beep() override { ++beeps_; }
  void SetBusyPointer(bool busy) override;
  std::string BrowseForFolder(const common::FolderRequest& request) override;

 private:
  std::deque<common::Answer> answers_;
  std::deque<std::optional<std::string>> folders_;
  std::vector<ShownBox> boxes_;
  std::vector<common::FolderRequest> folderRequests_;
  int beeps_ = 0;
  bool busy_ = false;
  int busyShown_ = 0;
};

// The open-file dialog for tests: records its settings, and ShowOpen takes the next
// queued choice (nullopt = cancel, which leaves the file name as it was and returns
// false).
class ScriptedOpenFileDialog : public common::OpenFileDialog {
 public:
  ~ScriptedOpenFileDialog() override;
  void QueueChoice(std::optional<std::string> fileName) { choices_.push_back(std::move(fileName)); }

  void SetInitDir(std::string_view folder) override { initDir = folder; }
  void SetDefaultExt(std::string_view extension) override { defaultExt = extension; }
  void SetFilter(std::string_view filter) override { this->filter = filter; }
  bool ShowOpen() override;
  std::string FileName() const override { return fileName; }

  std::string initDir, defaultExt, filter, fileName;
  int shown = 0;

 private:
  std::deque<std::optional<std::string>> choices_;
};

}  // namespace testing_support
