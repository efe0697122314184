// The "Registry" page's buttons reach the page's commands, on the window's own grid,
// check box and settings store.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "app/qt/fm_reg_tool.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "support/scoped_env.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

TEST(RegistryPageWiring, TheFourButtonsRunThePagesCommands) {
  testing_support::ScriptedUi ui;
  const testing_support::TempDir config;  // a settings store of this test's own
  const testing_support::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  const testing_support::ScopedEnv state("XDG_STATE_HOME", config.file("state"));
  fmRegTool window([] { return std::string("WS-07"); });
  window.show();
  const auto& c = window.Controls();

  ui.ExpectBox();
  QTest::mouseClick(c.cmdGetCurrentReg, Qt::LeftButton);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text, "讀取Registry失敗");

  ASSERT_EQ(platform::OpenUserSettingsStore()->SaveSetting("App", "Sec", "Key", "v"),
            platform::kSuccess);
  QTest::mouseClick(c.cmdGetCurrentReg, Qt::LeftButton);
  ASSERT_EQ(window.fgList().Rows(), 2);
  EXPECT_EQ(window.fgList().TextMatrix(1, 3), "v");

  // Unticked, the save asks for a folder; cancelled, it ends there.
  ui.QueueFolder(std::nullopt);
  QTest::mouseClick(c.cmdSave, Qt::LeftButton);
  ASSERT_EQ(ui.folderRequests().size(), 1u);
  EXPECT_EQ(ui.folderRequests()[0].owner, static_cast<QWidget*>(&window));

  // Ticked, the readers take the default file beside the program's folder.
  c.chkDefault->setChecked(true);
  const std::string missing =
      "File Not Found:" + platform::ProgramFolder() + "\\..\\DAT\\Reg_WS-07.txt";
  for (QPushButton* reader : {c.cmdReadRegFile, c.cmdLoadReg}) {
    ui.ExpectBox();
    ui.ExpectBox();
    QTest::mouseClick(reader, Qt::LeftButton);
  }
  ASSERT_EQ(ui.boxes().size(), 5u);
  EXPECT_EQ(ui.boxes()[1].text, missing);
  EXPECT_EQ(ui.boxes()[2].text, "自文字檔讀入Registry失敗");
  EXPECT_EQ(ui.boxes()[3].text, missing);
  EXPECT_EQ(ui.boxes()[4].text, "復原Registry失敗");
}

}  // namespace
