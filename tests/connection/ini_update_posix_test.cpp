// "修改系統參數檔" on real files: the three programs' INI files on drive C: of a
// temporary Wine-style prefix, as the family's programs see them under Wine.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "page_harness.h"
#include "support/big5_locale.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace connection_tests {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

std::string MainDatabase(std::string_view name) {
  return "Provider=SQLOLEDB;data source=" + std::string(name) +
         ";initial catalog=RiVUZ;User ID=sa;Password=;";
}

class ParameterFiles : public testing::Test {
 protected:
  ParameterFiles() {
    fs::create_directories(prefix_.path() / "drive_c");
    fs::create_directories(prefix_.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix_.path() / "dosdevices" / "c:");
  }

  fs::path DriveC() const { return prefix_.path() / "drive_c"; }

  // Puts an INI file of one program ("VODureza", ...) on drive C:.
  fs::path Place(std::string_view program, std::string_view bytes) {
    const fs::path folder = DriveC() / program;
    fs::create_directories(folder);
    const fs::path file = folder / (std::string(program) + ".ini");
    WriteBytes(file, bytes);
    return file;
  }

  // Every path below drive C:, to show that nothing was created.
  std::vector<std::string> DriveCContents() const {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(DriveC())) {
      paths.push_back(fs::relative(entry.path(), DriveC()).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  testing_support::TempDir prefix_;
  testing_support::ScopedEnv wine_{"WINEPREFIX", prefix_.path().string()};
  PageHarness h_;
};

TEST_F(ParameterFiles, AllThreeFilesGetTheirKeyAndEveryOtherByteStays) {
  const fs::path vodureza = Place("VODureza", "[PARAM]\r\nDBSource=OLD\r\nTimeOut=30\r\n");
  const fs::path varirazeve =
      Place("VARIrazEve", "; settings\r\n[Main]\r\nA=1\r\n\r\n[param]\r\ngcnt = old\r\n");
  const fs::path dodozovi = Place("DODOZOvi", "[PARAM]\r\nPort=9\r\n[Other]\r\nB=2\r\n");
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"DODOZOvi.INI", "修改完成"},
                                          {"VARIrazEve.INI", "修改完成"},
                                          {"VODureza.INI", "修改完成"}}));
  EXPECT_EQ(ReadBytes(vodureza), "[PARAM]\r\nDBSource=SRV01\r\nTimeOut=30\r\n");
  EXPECT_EQ(ReadBytes(varirazeve),
            "; settings\r\n[Main]\r\nA=1\r\n\r\n[param]\r\ngcnt=" + MainDatabase("SRV01") + "\r\n");
  EXPECT_EQ(ReadBytes(dodozovi),
            "[PARAM]\r\nPort=9\r\nGCNT=" + MainDatabase("SRV01") + "\r\n[Other]\r\nB=2\r\n");
  EXPECT_EQ(h_.fgUpdLog.fits(), (std::vector<std::pair<int, int>>{{0, 1}, {0, 1}, {0, 1}}));
  EXPECT_TRUE(h_.ui.boxes().empty());
}

TEST_F(ParameterFiles, OnlyTheFileThatExistsIsWritten) {
  const fs::path varirazeve = Place("VARIrazEve", "[PARAM]\r\n");
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"DODOZOvi.INI", "檔案找不到"},
                                          {"VARIrazEve.INI", "修改完成"},
                                          {"VODureza.INI", "檔案找不到"}}));
  EXPECT_EQ(ReadBytes(varirazeve), "[PARAM]\r\nGCNT=" + MainDatabase("SRV01") + "\r\n");
  EXPECT_EQ(DriveCContents(),
            (std::vector<std::string>{"VARIrazEve", "VARIrazEve/VARIrazEve.ini"}));
}

TEST_F(ParameterFiles, MissingFilesAreReportedAndNothingIsCreated) {
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();
  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"DODOZOvi.INI", "檔案找不到"},
                                          {"VARIrazEve.INI", "檔案找不到"},
                                          {"VODureza.INI", "檔案找不到"}}));
  EXPECT_TRUE(DriveCContents().empty());
}

TEST_F(ParameterFiles, AFolderAtAFilesPathCountsAsMissing) {
  fs::create_directories(DriveC() / "VODureza" / "VODureza.ini");
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();
  EXPECT_EQ(h_.fgUpdLog.TextMatrix(3, 0), "VODureza.INI");
  EXPECT_EQ(h_.fgUpdLog.TextMatrix(3, 1), "檔案找不到");
  EXPECT_TRUE(fs::is_empty(DriveC() / "VODureza" / "VODureza.ini"));
}

TEST_F(ParameterFiles, ARefusedWriteIsReportedAsFailedAndTheOtherFilesStillChange) {
  const fs::path vodureza = Place("VODureza", "[PARAM]\r\nDBSource=OLD\r\n");
  const fs::path dodozovi = Place("DODOZOvi", "[PARAM]\r\n");
  fs::permissions(vodureza, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();

  EXPECT_EQ(h_.fgUpdLog.DataRows(), (Rows{{"DODOZOvi.INI", "修改完成"},
                                          {"VARIrazEve.INI", "檔案找不到"},
                                          {"VODureza.INI", "修改失敗"}}));
  EXPECT_EQ(ReadBytes(vodureza), "[PARAM]\r\nDBSource=OLD\r\n");
  EXPECT_EQ(ReadBytes(dodozovi), "[PARAM]\r\nGCNT=" + MainDatabase("SRV01") + "\r\n");
}

TEST_F(ParameterFiles, EachRunAddsThreeRowsAboveTheEarlierOnes) {
  Place("VODureza", "[PARAM]\r\n");
  h_.txtComputerName = "SRV01";
  h_.page.cmdUpdINI_Click();
  h_.page.cmdUpdINI_Click();
  const Rows run = {{"DODOZOvi.INI", "檔案找不到"},
                    {"VARIrazEve.INI", "檔案找不到"},
                    {"VODureza.INI", "修改完成"}};
  Rows both = run;
  both.insert(both.end(), run.begin(), run.end());
  EXPECT_EQ(h_.fgUpdLog.DataRows(), both);
}

TEST_F(ParameterFiles, TheNameIsWrittenExactlyAsTypedBlanksSemicolonsAndApostrophesIncluded) {
  const fs::path vodureza = Place("VODureza", "[PARAM]\r\n");
  const fs::path varirazeve = Place("VARIrazEve", "[PARAM]\r\n");
  const std::string name = " SRV;O'Neil ";
  h_.txtComputerName = name;
  h_.page.cmdUpdINI_Click();
  EXPECT_EQ(ReadBytes(vodureza), "[PARAM]\r\nDBSource=" + name + "\r\n");
  EXPECT_EQ(ReadBytes(varirazeve), "[PARAM]\r\nGCNT=" + MainDatabase(name) + "\r\n");
}

TEST_F(ParameterFiles, AChineseNameIsWrittenInTheAnsiCodePage) {
  if (!testing_support::UnderBig5Locale()) return;
  const fs::path vodureza = Place("VODureza", "[PARAM]\r\n");
  const fs::path dodozovi = Place("DODOZOvi", "[PARAM]\r\n");
  h_.txtComputerName = "伺服器";
  h_.page.cmdUpdINI_Click();
  const std::string big5 = "\xA6\xF8\xAA\x41\xBE\xB9";
  EXPECT_EQ(ReadBytes(vodureza), "[PARAM]\r\nDBSource=" + big5 + "\r\n");
  EXPECT_EQ(ReadBytes(dodozovi), "[PARAM]\r\nGCNT=" + MainDatabase(big5) + "\r\n");
}

TEST_F(ParameterFiles, ABlankNameTouchesNoFile) {
  const fs::path vodureza = Place("VODureza", "[PARAM]\r\nDBSource=OLD\r\n");
  h_.txtComputerName = "   ";
  h_.ui.ExpectBox();
  h_.page.cmdUpdINI_Click();
  ASSERT_EQ(h_.ui.boxes().size(), 1u);
  EXPECT_EQ(h_.ui.boxes()[0].text, "請設定電腦名稱");
  EXPECT_EQ(h_.fgUpdLog.Rows(), 1);
  EXPECT_EQ(ReadBytes(vodureza), "[PARAM]\r\nDBSource=OLD\r\n");
}

}  // namespace
}  // namespace connection_tests
