// set-server against a real database server: the PostgreSQL server of the connection
// tests' fixture, standing for the family's SQL Server, and INI files on the drive C:
// of the test's own Wine-style prefix.
#include <gtest/gtest.h>

#include <filesystem>

#include "command_run.h"
#include "support/database/postgres_server.h"

namespace cli_tests {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

class SetServer : public testing::Test {
 protected:
  void SetUp() override {
    server_ = testing_support::PostgresServer::FromEnvironment();
    ASSERT_FALSE(server_.socketFolder().empty());
    server_.NewMenuDatabase(
        "('QZ', 'old', 'old', 'a'), ('QZ', 'old', 'old', 'b'), ('QY', 'keep', 'keep', 'c')");
  }

  // An INI file of one program ("VODureza", ...) on drive C:.
  fs::path Place(const std::string& program) {
    const fs::path folder = fs::path(sandbox_.File("wine")) / "dosdevices" / "c:" / program;
    fs::create_directories(folder);
    const fs::path file = folder / (program + ".ini");
    WriteBytes(file, "[PARAM]\r\nDBSource=old\r\nGCNT=old\r\n");
    return file;
  }

  testing_support::PostgresServer server_;
  CommandSandbox sandbox_;
};

TEST_F(SetServer, WritesTheIniFilesAndTheMenuRowsAndTellsEachItemsStatus) {
  const fs::path vodureza = Place("VODureza");
  const fs::path varirazeve = Place("VARIrazEve");
  const std::string& name = server_.socketFolder();  // holds an apostrophe
  const std::string mainDatabase =
      "Provider=SQLOLEDB;data source=" + name + ";initial catalog=RiVUZ;User ID=sa;Password=;";

  const CommandRun run = sandbox_.Run({"set-server", name});
  // One program is not installed: its file is not there, so the command did not do all.
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_EQ(run.out,
            "VODureza.INI\t修改完成\nVARIrazEve.INI\t修改完成\nDODOZOvi.INI\t檔案找不到\n"
            "IDMENU\t資料庫更新完成\n");
  EXPECT_NE(ReadBytes(vodureza).find("DBSource=" + name + "\r\n"), std::string::npos);
  EXPECT_NE(ReadBytes(varirazeve).find("GCNT=" + mainDatabase + "\r\n"), std::string::npos);
  const std::string folder = "\\\\" + name + "\\QZ35\\EXE";
  EXPECT_EQ(server_.Psql("Ro35VARA",
                         "SELECT APID, ClientEXEPath, ADOCntStr FROM id_apsys ORDER BY Remark"),
            "QZ|" + folder + "|" + mainDatabase + "\nQZ|" + folder + "|" + mainDatabase +
                "\nQY|keep|keep\n");

  Place("DODOZOvi");
  const CommandRun all = sandbox_.Run({"set-server", name});
  EXPECT_EQ(all.exitStatus, 0) << all.err;
  EXPECT_EQ(all.out,
            "VODureza.INI\t修改完成\nVARIrazEve.INI\t修改完成\nDODOZOvi.INI\t修改完成\n"
            "IDMENU\t資料庫更新完成\n");
}

}  // namespace
}  // namespace cli_tests
