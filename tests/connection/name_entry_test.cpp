// The server name: entered through the keyboard dialog, and refused when blank.
#include <gtest/gtest.h>

#include "page_harness.h"

namespace connection_tests {
namespace {

TEST(ServerNameEntry, BothGesturesOpenOneEmptyDialogAndAnAcceptedEntryReplacesTheName) {
  PageHarness h;
  h.txtComputerName = "OLDNAME";
  h.keyboard.Queue("SRV01");
  h.keyboard.Queue("伺服器2");
  h.page.cmdInputName_Click();
  EXPECT_EQ(h.txtComputerName, "SRV01");
  h.page.txtComputerName_DblClick();
  EXPECT_EQ(h.txtComputerName, "伺服器2");
  EXPECT_EQ(h.keyboardsCreated, 1) << "the dialog is created on first use, then reused";
  EXPECT_EQ(h.keyboard.defaults,
            (std::vector<std::optional<std::string>>{std::nullopt, std::nullopt}));
  EXPECT_EQ(h.page.ScratchText(), "伺服器2");
  EXPECT_TRUE(h.ui.boxes().empty());
}

TEST(ServerNameEntry, AnAcceptedEmptyEntryEmptiesTheBox) {
  PageHarness h;
  h.txtComputerName = "SRV01";
  h.keyboard.Queue("");
  h.page.txtComputerName_DblClick();
  EXPECT_EQ(h.txtComputerName, "");
}

TEST(ServerNameEntry, ACancelledDialogLeavesTheBoxAsItWas) {
  PageHarness h;
  h.keyboard.Queue("FIRST");
  h.page.cmdInputName_Click();
  h.txtComputerName = "TYPED";
  h.keyboard.Queue(std::nullopt);
  h.page.cmdInputName_Click();
  EXPECT_EQ(h.txtComputerName, "TYPED") << "not the earlier entry still in ScratchText";
  h.keyboard.Queue(std::nullopt);
  h.page.txtComputerName_DblClick();
  EXPECT_EQ(h.txtComputerName, "TYPED");
}

TEST(ServerNameEntry, ADialogThatCannotBeCreatedIsReportedWithTheGesturesLabel) {
  testing_support::ScriptedUi ui;
  controls::MemoryGrid grid;
  std::string name = "SRV01";
  connection::ConnectionPage page(
      grid, {[&] { return name; }, [&](const std::string& text) { name = text; }},
      []() -> keyboard::TextEntryDialog& { throw std::runtime_error("no display"); });
  ui.ExpectBox();
  ui.ExpectBox();
  page.txtComputerName_DblClick();
  page.cmdInputName_Click();
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[0].text.rfind("處理程序: (fmRegTool_txtComputerName_DblClick)\r\n", 0), 0u);
  EXPECT_EQ(ui.boxes()[1].text.rfind("處理程序: (fmRegTool_cmdInputName_Click)\r\n", 0), 0u);
  EXPECT_EQ(name, "SRV01");
}

TEST(ServerNameTest, ABlankNameStopsBothCommandsWithTheStopBoxAndNoRow) {
  for (const std::string blank : {"", " ", "    "}) {
    PageHarness h;
    h.txtComputerName = blank;
    h.ui.ExpectBox();
    h.ui.ExpectBox();
    h.page.cmdUpdINI_Click();
    h.page.cmdUpdIDMENU_Click();
    ASSERT_EQ(h.ui.boxes().size(), 2u);
    for (const auto& box : h.ui.boxes()) {
      EXPECT_EQ(box.text, "請設定電腦名稱");
      EXPECT_EQ(box.buttons, common::Buttons::kOk);
      EXPECT_EQ(box.icon, common::Icon::kStop);
      EXPECT_EQ(box.title, "系統設定工具");
    }
    EXPECT_EQ(h.page.MessageText(), "請設定電腦名稱");
    EXPECT_EQ(h.fgUpdLog.Rows(), 1);
    EXPECT_EQ(h.ui.busyShown(), 0) << "no connection is attempted";
  }
}

}  // namespace
}  // namespace connection_tests
