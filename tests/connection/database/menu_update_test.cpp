// "修改主選單" against a real database server reached through the ODBC driver manager
// (on Windows, under Wine: odbc32, which hands the calls to the host's unixODBC): the
// PostgreSQL server of postgres_fixture.sh, registered under the SQL Server driver's
// name, its socket folder standing for the server's computer name.
#include <gtest/gtest.h>

#include "../page_harness.h"
#include "common/error_report.h"
#include "connection/basadodb.h"
#include "connection/connection_strings.h"
#include "platform/ansi_codepage.h"
#include "support/database/postgres_server.h"
#include "support/temp_dir.h"

namespace connection_tests {
namespace {

using testing_support::PostgresServer;

constexpr std::string_view kMenuDatabase = "Ro35VARA";

class MenuDatabase : public testing::Test {
 protected:
  void SetUp() override {
    server_ = PostgresServer::FromEnvironment();
    ASSERT_FALSE(server_.socketFolder().empty());
    server_.NewMenuDatabase("");
    h_.txtComputerName = server_.socketFolder();
  }

  std::string Menu(std::string_view sql) { return server_.Psql(kMenuDatabase, sql); }

  // Every row of id_apsys, ordered by its remark.
  std::string Table() {
    return Menu("SELECT APID, ClientEXEPath, ADOCntStr, Remark FROM id_apsys ORDER BY Remark");
  }

  PostgresServer server_;
  PageHarness h_;
};

TEST_F(MenuDatabase, EveryQzRowIsPointedAtTheServerAndNoOtherRowChanges) {
  Menu(
      "INSERT INTO id_apsys VALUES ('QZ', 'old', 'old', 'a'), ('QZ', NULL, NULL, 'b'), "
      "('QY', 'keep', 'keep', 'c'), ('qz', 'keep', 'keep', 'd')");
  h_.page.cmdUpdIDMENU_Click();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"IDMENU", "資料庫更新完成"}}));
  const std::string& name = server_.socketFolder();  // holds an apostrophe
  const std::string folder = "\\\\" + name + "\\QZ35\\EXE";
  const std::string mainDatabase =
      "Provider=SQLOLEDB;data source=" + name + ";initial catalog=RiVUZ;User ID=sa;Password=;";
  EXPECT_EQ(Table(), "QZ|" + folder + "|" + mainDatabase + "|a\n" +  //
                         "QZ|" + folder + "|" + mainDatabase + "|b\n" +
                         "QY|keep|keep|c\n"
                         "qz|keep|keep|d\n");
  EXPECT_EQ(h_.page.AffectedRows(), 2);
  EXPECT_EQ(h_.page.MessageText(), "資料庫更新完成");

  std::string doubled = name;
  doubled.replace(doubled.find('\''), 1, "''");
  EXPECT_EQ(h_.page.SqlText(),
            "Update id_apsys set ClientEXEPath = '\\\\" + doubled +
                "\\QZ35\\EXE' , ADOCntStr = 'Provider=SQLOLEDB;data source=" + doubled +
                ";initial catalog=RiVUZ;User ID=sa;Password=;' Where  APID = 'QZ'");
  EXPECT_EQ(h_.ui.busyShown(), 1);
  EXPECT_FALSE(h_.ui.busy());
  EXPECT_EQ(h_.fgUpdLog.fits(), (std::vector<std::pair<int, int>>{{0, 1}}));
}

TEST_F(MenuDatabase, NoQzRowIsReportedAsAFailedUpdate) {
  Menu("INSERT INTO id_apsys VALUES ('QY', 'keep', 'keep', 'a')");
  h_.page.cmdUpdIDMENU_Click();
  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"IDMENU", "資料庫更新失敗"}}));
  EXPECT_EQ(h_.page.AffectedRows(), 0);
  EXPECT_EQ(Table(), "QY|keep|keep|a\n");
}

// SQL Server with its NOCOUNT option on gives no count for an UPDATE that changed rows,
// and its driver reports -1; so does this driver for a statement whose result carries
// no count, such as a DO block. That is a statement that ran, not one that changed
// nothing.
TEST_F(MenuDatabase, ARowCountTheDriverCannotTellIsACompletedUpdate) {
  Menu("INSERT INTO id_apsys VALUES ('QZ', 'old', 'old', 'a')");
  basADODB::Connection connection;
  ASSERT_TRUE(basADODB::ConnectADO(connection::MenuDatabaseConnectionString(server_.socketFolder()),
                                   connection));
  const long long rows = connection.Execute(
      "DO $$BEGIN UPDATE id_apsys SET ADOCntStr = 'new' WHERE APID = 'QZ'; END$$");
  EXPECT_EQ(rows, -1);
  EXPECT_EQ(Table(), "QZ|old|new|a\n");
  EXPECT_EQ(connection::MenuUpdateStatus(rows), "資料庫更新完成");
  EXPECT_EQ(connection::MenuUpdateStatus(0), "資料庫更新失敗");
  EXPECT_EQ(connection::MenuUpdateStatus(std::nullopt), "資料庫更新失敗") << "no count at all";
}

TEST_F(MenuDatabase, AStatementTheDatabaseRefusesIsShownAndLeavesTheStatusEmpty) {
  Menu("DROP TABLE id_apsys");
  h_.ui.ExpectBox();
  h_.page.cmdUpdIDMENU_Click();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"IDMENU", ""}}));
  ASSERT_EQ(h_.ui.boxes().size(), 1u);
  const auto& box = h_.ui.boxes()[0];
  EXPECT_EQ(box.text.rfind("處理程序: (fmRegTool_cmdUpdIDMENU_Click)\r\n", 0), 0u) << box.text;
  // The driver's own words reach the user.
  EXPECT_NE(box.text.find("id_apsys"), std::string::npos) << box.text;
  EXPECT_EQ(box.icon, common::Icon::kExclamation);
  EXPECT_FALSE(h_.ui.busy());
}

TEST_F(MenuDatabase, AMissingDatabaseIsAFailedConnectionLoggedQuietly) {
  server_.Psql("postgres", "DROP DATABASE \"Ro35VARA\" WITH (FORCE)");
  testing_support::TempDir log;
  basBase::ErrorLogPath = log.file("error.log");
  h_.page.cmdUpdIDMENU_Click();
  basBase::ErrorLogPath.clear();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"IDMENU", "資料庫連線失敗"}}));
  EXPECT_TRUE(h_.ui.boxes().empty());
  EXPECT_EQ(h_.ui.beeps(), 0);
  // The log is in the ANSI code page.
  EXPECT_NE(platform::AnsiToUtf8(testing_support::ReadBytes(log.file("error.log")))
                .find("處理程序: (ConnectADO)\r\n"),
            std::string::npos);
}

TEST_F(MenuDatabase, EachRunAddsItsOwnRowNewestOnTop) {
  h_.page.cmdUpdIDMENU_Click();
  Menu("INSERT INTO id_apsys VALUES ('QZ', 'old', 'old', 'a')");
  h_.page.cmdUpdIDMENU_Click();
  EXPECT_EQ(h_.fgUpdLog.DataRows(),
            (Rows{{"IDMENU", "資料庫更新完成"}, {"IDMENU", "資料庫更新失敗"}}));
}

}  // namespace
}  // namespace connection_tests
