#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedUi::ScriptedUi() {
  common::InstallUserInterface(this);
}

ScriptedUi::~ScriptedUi() {
  common::InstallUserInterface(nullptr);
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected message box(es) never shown";
  EXPECT_TRUE(folders_.empty()) << folders_.size() << " queued folder choice(s) never used";
}

common::Answer ScriptedUi::MessageBox(std::string_view text, common::Buttons buttons,
                                      common::Icon icon, std::string_view title) {
  boxes_.push_back(ShownBox{std::string(text), buttons, icon, std::string(title)});
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return buttons == common::Buttons::kYesNo ? common::Answer::kNo : common::Answer::kOk;
  }
  const common::Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedUi::SetBusyPointer(bool busy) {
  if (busy) ++busyShown_;
  busy_ = busy;
}

std::string ScriptedUi::BrowseForFolder(const common::FolderRequest& request) {
  folderRequests_.push_back(request);
  if (folders_.empty()) {
    ADD_FAILURE() << "unexpected folder picker: " << request.title;
    return std::string();
  }
  auto choice = std::move(folders_.front());
  folders_.pop_front();
  return choice.value_or(std::string());
}

ScriptedOpenFileDialog::~ScriptedOpenFileDialog() {
  EXPECT_TRUE(choices_.empty()) << choices_.size() << " queued file choice(s) never used";
}

bool ScriptedOpenFileDialog::ShowOpen() {
  ++shown;
  if (choices_.empty()) {
    ADD_FAILURE() << "unexpected open-file dialog";
    return false;
  }
  const std::optional<std::string> choice = std::move(choices_.front());
  choices_.pop_front();
  if (choice) fileName = *choice;
  return choice.has_value();
}

}  // namespace testing_support
