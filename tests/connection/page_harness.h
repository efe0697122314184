#pragma once
// A connection page on an in-memory grid and text box, its fgUpdLog set up as the window
// does it, and a scripted keyboard dialog that answers from a queue.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>

#include "connection/connection_page.h"
#include "keyboard/text_entry.h"
#include "controls/memory_grid.h"
#include "support/scripted_ui.h"

namespace connection_tests {

// The keyboard dialog for tests: each ShowInput takes the next queued entry; nullopt is
// a cancel, which (as the real dialog does) leaves the caller's text untouched.
class ScriptedTextEntry : public keyboard::TextEntryDialog {
 public:
  ~ScriptedTextEntry() override {
    EXPECT_TRUE(entries_.empty()) << entries_.size() << " queued entries never used";
  }
  void Queue(std::optional<std::string> entry) { entries_.push_back(std::move(entry)); }

  bool ShowInput(std::string& text, std::optional<std::string> defaultText) override {
    defaults.push_back(std::move(defaultText));
    if (entries_.empty()) {
      ADD_FAILURE() << "unexpected keyboard dialog";
      return false;
    }
    const std::optional<std::string> entry = std::move(entries_.front());
    entries_.pop_front();
    if (!entry) return false;
    text = *entry;
    return true;
  }
  bool ShowInput2(std::string&, std::string_view, std::optional<std::string>) override {
    ADD_FAILURE() << "the name entry uses ShowInput only";
    return false;
  }
  bool EnterPWD(std::string&, std::optional<std::string>) override {
    ADD_FAILURE() << "the name entry uses ShowInput only";
    return false;
  }

  // The default text of every ShowInput call, in order.
  std::vector<std::optional<std::string>> defaults;

 private:
  std::deque<std::optional<std::string>> entries_;
};

struct PageHarness {
  PageHarness() {
    fgUpdLog.SetCols(2);
    fgUpdLog.SetFormatString("項目|狀態");
    fgUpdLog.SetRows(1);
  }

  testing_support::ScriptedUi ui;
  controls::MemoryGrid fgUpdLog;
  std::string txtComputerName;
  ScriptedTextEntry keyboard;
  int keyboardsCreated = 0;
  connection::ConnectionPage page{fgUpdLog,
                                  {[this] { return txtComputerName; },
                                   [this](const std::string& text) { txtComputerName = text; }},
                                  [this]() -> keyboard::TextEntryDialog& {
                                    ++keyboardsCreated;
                                    return keyboard;
                                  }};
};

using Rows = std::vector<std::vector<std::string>>;

}  // namespace connection_tests
