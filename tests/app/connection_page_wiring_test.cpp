// The "連線設定" page's controls reach the page's commands.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "app/qt/fm_reg_tool.h"
#include "app/qt/picture_button.h"
#include "app/qt/text_box.h"
#include "controls/qt/qt_tab_control.h"
#include "keyboard/qt/anumkey_form.h"
#include "modal.h"
#include "support/scoped_env.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

void AcceptEntry(std::string text) {
  WhenModalShows<QDialog>([text](QDialog& dialog) {
    auto* form = dynamic_cast<keyboard::frmANumKey*>(&dialog);
    ASSERT_NE(form, nullptr) << "not the keyboard dialog";
    form->SetDisplayText(text);
    form->Keys().cmdEnter_Click();
  });
}

TEST(ConnectionPageWiring, TheButtonsAndTheDoubleClickRunThePagesCommands) {
  testing_support::ScriptedUi ui;
  const testing_support::TempDir prefix;  // a drive C: without the programs' INI files
  const testing_support::ScopedEnv wine("WINEPREFIX", prefix.path().string());
  fmRegTool window([] { return std::string("WS-07"); });
  window.show();
  const auto& c = window.Controls();
  c.tabPage->SetCurrTab(1);

  ui.ExpectBox();
  QTest::mouseClick(c.cmdUpdIDMENU, Qt::LeftButton);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text, "請設定電腦名稱");

  AcceptEntry("SRV01");
  QTest::mouseDClick(c.txtComputerName, Qt::LeftButton);
  EXPECT_EQ(window.ComputerNameText(), "SRV01");
  AcceptEntry("SRV02");
  QTest::mouseClick(c.cmdInputName, Qt::LeftButton);
  EXPECT_EQ(window.ComputerNameText(), "SRV02");

  QTest::mouseClick(c.cmdUpdINI, Qt::LeftButton);
  ASSERT_EQ(window.fgUpdLog().Rows(), 4);
  EXPECT_EQ(window.fgUpdLog().TextMatrix(1, 0), "DODOZOvi.INI");
  EXPECT_EQ(window.fgUpdLog().TextMatrix(1, 1), "檔案找不到");
  EXPECT_EQ(window.fgUpdLog().TextMatrix(3, 0), "VODureza.INI");
}

}  // namespace
