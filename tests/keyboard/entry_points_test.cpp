#include "keyboard/entry_points.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/error_report.h"
#include "common/failure.h"
#include "keyboard/text_entry.h"
#include "support/scripted_ui.h"

namespace {

using testing_support::ScriptedUi;

// The dialog as the entry points see it. It records what they set, in order; the
// "user" runs while it is shown modally. Any step can be made to fail.
class FakeForm : public keyboard::EntryForm {
 public:
  void Load() override { Step("load"); }
  void SetTitle(std::string_view text) override { Step("title"), title = text; }
  void SetMessage(std::string_view text) override { Step("message"), message = text; }
  void SetDisplayFontSize(double points) override { Step("font"), fontPoints = points; }
  void SetMasked(bool on) override { Step("mask"), masked = on; }
  void SetDisplayText(std::string_view text) override { Step("text"), display = text; }
  void ResetAccepted() override { Step("reset"), accepted = false; }
  void ShowModal() override {
    Step("show");
    shownWith = display;
    if (user) user(*this);
  }
  bool Accepted() const override { return accepted; }
  std::string DisplayText() const override {
    if (failAt == "read") common::Raise(common::err::kOutOfMemory, "step failed");
    return display;
  }
  int ScreenWidth() const override { return 19200; }
  int ScreenHeight() const override { return 14400; }
  int OuterWidth() const override { return 10650; }
  int OuterHeight() const override { return 6400; }
  void SetLeft(int twips) override { Step("left"), left = twips; }
  void SetTop(int twips) override { Step("top"), top = twips; }

  std::function<void(FakeForm&)> user;
  std::string failAt;
  std::vector<std::string> steps;
  std::string title = "old title", message = "英文/數字輸入視窗", display = "previous", shownWith;
  double fontPoints = 0;
  bool masked = false, accepted = true;
  int left = 0, top = 0;

 private:
  void Step(const std::string& name) {
    if (name == failAt) common::Raise(common::err::kOutOfMemory, "step failed");
    steps.push_back(name);
  }
};

// The entry points behind the interface that callers hold, as the dialog offers them.
class FakeDialog : public keyboard::TextEntryDialog {
 public:
  using TextEntryDialog::EnterPWD;
  using TextEntryDialog::ShowInput;
  using TextEntryDialog::ShowInput2;
  bool ShowInput(std::string& text, std::optional<std::string> defaultText = {}) override {
    return keyboard::ShowInput(form, text, std::move(defaultText));
  }
  bool ShowInput2(std::string& text, std::string_view header,
                  std::optional<std::string> defaultText = {}) override {
    return keyboard::ShowInput2(form, text, header, std::move(defaultText));
  }
  bool EnterPWD(std::string& text, std::optional<std::string> defaultText = {}) override {
    return keyboard::EnterPWD(form, text, std::move(defaultText));
  }
  FakeForm form;
};

void AcceptsWith(FakeForm& form, std::string text) {
  form.display = std::move(text);
  form.accepted = true;
}

class EntryPointsTest : public ::testing::Test {
 protected:
  ScriptedUi ui;
  FakeDialog dialog;
  FakeForm& form = dialog.form;
  std::string text = "caller's";
};

TEST_F(EntryPointsTest, ShowInputPreparesPlacesShowsAndHandsBackTheAcceptedText) {
  form.user = [](FakeForm& f) { AcceptsWith(f, "SERVER1"); };
  EXPECT_TRUE(dialog.ShowInput(text, "DEF"));
  EXPECT_EQ(text, "SERVER1");
  EXPECT_EQ(form.shownWith, "DEF");
  EXPECT_EQ(form.title, "英文數字輸入視窗");
  EXPECT_EQ(form.message, "");
  EXPECT_FALSE(form.masked);
  EXPECT_EQ(form.steps, (std::vector<std::string>{"load", "title", "message", "mask", "text",
                                                  "reset", "left", "top", "show"}));
  EXPECT_EQ(form.left, 8550);
  EXPECT_EQ(form.top, 7625);
}

TEST_F(EntryPointsTest, NumbersAndBooleansAsDefaultsShowTheirText) {
  form.user = [](FakeForm& f) { f.accepted = true; };
  EXPECT_TRUE(dialog.ShowInput(text, 12));
  EXPECT_EQ(text, "12");
  EXPECT_TRUE(dialog.ShowInput2(text, "H", -7L));
  EXPECT_EQ(text, "-7");
  EXPECT_TRUE(dialog.EnterPWD(text, 0.1));
  EXPECT_EQ(text, "0.1");
  EXPECT_TRUE(dialog.ShowInput(text, 2.5f));
  EXPECT_EQ(text, "2.5");
  EXPECT_TRUE(dialog.ShowInput(text, 4000000000u));
  EXPECT_EQ(text, "4000000000");
  EXPECT_TRUE(dialog.ShowInput(text, true));
  EXPECT_EQ(text, "True");
}

TEST_F(EntryPointsTest, ShowInput2WithAHeaderShowsItAsTitleAndMessageAt24Points) {
  form.user = [](FakeForm& f) { f.accepted = true; };
  EXPECT_TRUE(dialog.ShowInput2(text, "輸入主機名稱", "A"));
  EXPECT_EQ(form.title, "輸入主機名稱");
  EXPECT_EQ(form.message, "輸入主機名稱");
  EXPECT_EQ(form.fontPoints, 24);
  EXPECT_FALSE(form.masked);
  EXPECT_EQ(text, "A");
}

TEST_F(EntryPointsTest, AFailureIsReportedUnderTheEntryPointsLabelAndGivesFalse) {
  const std::vector<std::pair<std::string, std::function<bool()>>> entries = {
      {"frmNumKey_ShowInput", [&] { return dialog.ShowInput(text, "D"); }},
      {"frmNumKey_ShowInput2", [&] { return dialog.ShowInput2(text, "H", "D"); }},
      {"frmNumKey_EnterPWD", [&] { return dialog.EnterPWD(text, "D"); }},
  };
  form.user = [](FakeForm& f) { AcceptsWith(f, "NEW"); };
  for (const auto& [label, call] : entries) {
    for (const std::string step : {"load", "show", "read"}) {
      form.failAt = step;
      ui.ExpectBox();
      EXPECT_FALSE(call()) << label << " " << step;
      EXPECT_EQ(ui.boxes().back().text,
                basBase::ErrorReportText(label, common::err::kOutOfMemory, "step failed"));
      EXPECT_EQ(text, "caller's");
    }
  }
  EXPECT_EQ(ui.boxes().size(), 9u);
}

}  // namespace
