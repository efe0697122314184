// The "連線設定" page end to end through the Win32 window under Wine: the keyboard
// dialog typing the server's name, Wine's own WritePrivateProfileStringA on the INI files
// of drive C:, and the main-menu database through Wine's odbc32, which hands the calls to
// the host's unixODBC and the PostgreSQL server of the test run, registered there under
// the driver name "SQL Server".
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/win32/fm_reg_tool.h"
#include "support/database/postgres_server.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "window_driver.h"

namespace window_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// The three programs' INI files at their fixed places on drive C:, made for the test
// and removed after it, each with a key the tool must leave alone.
class FamilyIniFiles {
 public:
  FamilyIniFiles() {
    for (const char* program : kPrograms) {
      const std::filesystem::path folder = std::string("C:\\") + program;
      std::filesystem::create_directories(folder);
      WriteBytes(File(program), "[PARAM]\r\nDBSource=old\r\nGCNT=old\r\nKeep=1\r\n");
    }
  }
  ~FamilyIniFiles() {
    std::error_code ignored;
    for (const char* program : kPrograms) {
      std::filesystem::remove_all(std::string("C:\\") + program, ignored);
    }
  }
  static std::filesystem::path File(std::string_view program) {
    return "C:\\" + std::string(program) + "\\" + std::string(program) + ".ini";
  }

 private:
  static constexpr const char* kPrograms[] = {"VODureza", "VARIrazEve", "DODOZOvi"};
};

TEST(WindowConnectionPage, NameFromTheKeyboardThenTheIniFilesAndTheMainMenu) {
  const testing_support::PostgresServer server = testing_support::PostgresServer::FromEnvironment();
  ASSERT_FALSE(server.socketFolder().empty());
  testing_support::ScriptedUi ui;
  FamilyIniFiles ini;

  app::fmRegTool window([] { return std::string("E2E"); });
  window.Show(SW_SHOWNORMAL);
  WindowDriver user(window);
  user.ClickTab(1);
  ASSERT_TRUE(IsWindowVisible(user.Control("txtComputerName")));
  EXPECT_FALSE(IsWindowVisible(user.Control("fgList")));
  EXPECT_EQ(user.Text("txtComputerName"), "");

  // A double-click on the box and "..." open the same keyboard dialog; typed lower-case
  // letters come out as capitals, and a confirmed name replaces the box's text.
  KeyboardSession first;
  TypeWhenKeyboardShows(L"db9", first);
  user.DoubleClick("txtComputerName");
  EXPECT_TRUE(first.shown);
  EXPECT_EQ(user.Text("txtComputerName"), "DB9");
  KeyboardSession typing;
  TypeWhenKeyboardShows(L"srv01", typing);
  user.Click("cmdInputName");
  EXPECT_TRUE(typing.shown);
  EXPECT_EQ(typing.title, "英文數字輸入視窗");
  EXPECT_EQ(typing.display, "SRV01");
  EXPECT_EQ(user.Text("txtComputerName"), "SRV01");

  // "修改系統參數檔": one row per file, the last file on top, and each file's key written
  // by Wine's profile writer, the other keys left as they were.
  user.Click("cmdUpdINI");
  EXPECT_EQ(user.Titles("fgUpdLog"), (std::vector<std::string>{"項目", "狀態"}));
  EXPECT_EQ(user.Shown("fgUpdLog"), (Rows{
                                        {"DODOZOvi.INI", "修改完成"},
                                        {"VARIrazEve.INI", "修改完成"},
                                        {"VODureza.INI", "修改完成"},
                                    }));
  const std::string mainDatabase =
      "Provider=SQLOLEDB;data source=SRV01;initial catalog=RiVUZ;User ID=sa;Password=;";
  EXPECT_EQ(ReadBytes(FamilyIniFiles::File("VODureza")),
            "[PARAM]\r\nDBSource=SRV01\r\nGCNT=old\r\nKeep=1\r\n");
  EXPECT_EQ(ReadBytes(FamilyIniFiles::File("VARIrazEve")),
            "[PARAM]\r\nDBSource=old\r\nGCNT=" + mainDatabase + "\r\nKeep=1\r\n");
  EXPECT_EQ(ReadBytes(FamilyIniFiles::File("DODOZOvi")),
            "[PARAM]\r\nDBSource=old\r\nGCNT=" + mainDatabase + "\r\nKeep=1\r\n");

  // "修改主選單" on the test run's server, its name typed straight into the box: both
  // 'QZ' rows are pointed at it, the other row stays.
  server.NewMenuDatabase(
      "('QZ', 'old', 'old', 'a'), ('QZ', NULL, NULL, 'b'), ('QY', 'keep', 'keep', 'c')");
  const std::string& name = server.socketFolder();  // holds an apostrophe
  user.SetText("txtComputerName", name);
  user.Click("cmdUpdIDMENU");
  EXPECT_EQ(user.Shown("fgUpdLog")[0], (std::vector<std::string>{"IDMENU", "資料庫更新完成"}));
  EXPECT_EQ(user.Shown("fgUpdLog").size(), 4u);
  const std::string folder = "\\\\" + name + "\\QZ35\\EXE";
  const std::string stored =
      "Provider=SQLOLEDB;data source=" + name + ";initial catalog=RiVUZ;User ID=sa;Password=;";
  EXPECT_EQ(server.Psql("Ro35VARA",
                        "SELECT APID, ClientEXEPath, ADOCntStr, Remark FROM id_apsys "
                        "ORDER BY Remark"),
            "QZ|" + folder + "|" + stored + "|a\n" +  //
                "QZ|" + folder + "|" + stored + "|b\n" + "QY|keep|keep|c\n");

  // A server that is not there: the row says so, and no box is shown.
  user.SetText("txtComputerName", name + "-missing");
  user.Click("cmdUpdIDMENU");
  EXPECT_EQ(user.Shown("fgUpdLog")[0], (std::vector<std::string>{"IDMENU", "資料庫連線失敗"}));
  EXPECT_EQ(user.Shown("fgUpdLog").size(), 5u);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace window_tests
