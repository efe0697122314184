#include "common/basbase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/system_info.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using basBase::IsFile;
using basBase::QuoteSql;
using basBase::WithTrailing;
using testing_support::ReadBytes;
using testing_support::ScriptedUi;
using testing_support::TempDir;
using testing_support::WriteBytes;

TEST(QuoteSql, DoublesApostrophesThenTrimsSpacesAndQuotes) {
  EXPECT_EQ(QuoteSql(" O'Neil "), "'O''Neil'");
  EXPECT_EQ(QuoteSql("a'b''c"), "'a''b''''c'");
  EXPECT_EQ(QuoteSql("SRV  01"), "'SRV  01'") << "blanks inside stay";
  EXPECT_EQ(QuoteSql(" ' "), "''''") << "the doubling comes before the trimming";
}

TEST(QuoteSql, NothingButSpacesOrNoValueGivesAnEmptyLiteral) {
  EXPECT_EQ(QuoteSql(""), "''");
  EXPECT_EQ(QuoteSql("    "), "''");
  EXPECT_EQ(QuoteSql(std::nullopt), "''");
}

TEST(QuoteSql, OnlySpacesAreTrimmed) {
  EXPECT_EQ(QuoteSql("\tSRV01\t"), "'\tSRV01\t'");
  EXPECT_EQ(QuoteSql(" \t x \t "), "'\t x \t'");
}

TEST(IsFile, TrueOnlyForAnExistingFileOfAnyAttribute) {
  TempDir dir;
  WriteBytes(dir.file("Reg_PC1.TXT"), "x");
  WriteBytes(dir.file(".hidden"), "x");
  WriteBytes(dir.file("read-only.ini"), "x");
  testing_support::MakeReadOnly(dir.file("read-only.ini"));
  std::filesystem::create_directory(dir.file("VODureza.ini"));
  EXPECT_TRUE(IsFile(dir.file("Reg_PC1.TXT")));
  EXPECT_TRUE(IsFile(dir.file(".hidden")));
  EXPECT_TRUE(IsFile(dir.file("read-only.ini")));
  EXPECT_FALSE(IsFile(dir.file("VODureza.ini"))) << "a folder";
  EXPECT_FALSE(IsFile(dir.file("missing.ini")));
  EXPECT_FALSE(IsFile(dir.file("missing") + "\\x.ini"));
  EXPECT_FALSE(IsFile(""));
}

TEST(WithTrailing, AppendsTheSeparatorUnlessTheLastCharacterIsIt) {
  EXPECT_EQ(WithTrailing("C:\\DAT", "\\"), "C:\\DAT\\");
  EXPECT_EQ(WithTrailing("C:\\DAT\\", "\\"), "C:\\DAT\\");
  EXPECT_EQ(WithTrailing("C:\\", "\\"), "C:\\");
  EXPECT_EQ(WithTrailing("", "\\"), "");
}

TEST(WithTrailing, ComparesExactlyAndASeparatorOfTwoCharactersIsAlwaysAppended) {
  EXPECT_EQ(WithTrailing("abcX", "x"), "abcXx") << "case sensitive";
  EXPECT_EQ(WithTrailing("a\\\\", "\\\\"), "a\\\\\\\\");
  EXPECT_EQ(WithTrailing("a", "\\\\"), "a\\\\");
  EXPECT_EQ(WithTrailing("", "\\\\"), "");
}

TEST(WriteIniValue, ReturnsWhetherThePlatformWrote) {
  TempDir dir;
  const std::string ini = dir.file("VODureza.ini");
  WriteBytes(ini, "[PARAM]\r\nDBSource=OLD\r\n");
  EXPECT_TRUE(basBase::WriteIniValue(ini, "PARAM", "DBSource", " SRV;01 "));
  // Wine drops the blanks before a value it writes; Windows and the posix writer keep them.
  const std::string written = platform::RunningUnderWine() ? "SRV;01 " : " SRV;01 ";
  EXPECT_EQ(ReadBytes(ini), "[PARAM]\r\nDBSource=" + written + "\r\n");
  EXPECT_FALSE(basBase::WriteIniValue(dir.file("missing") + "/x.ini", "PARAM", "GCNT", "v"));
}

TEST(WriteIniValue, ReadOnlyFileIsAFailedWrite) {
  TempDir dir;
  if (platform::RunningUnderWine() && !testing_support::ReadOnlyFilesRefuseWrites(dir)) {
    GTEST_SKIP() << "Wine run as root writes read-only files anyway";
  }
  const std::string ini = dir.file("VODureza.ini");
  WriteBytes(ini, "[PARAM]\r\nDBSource=OLD\r\n");
  testing_support::MakeReadOnly(ini);
  EXPECT_FALSE(basBase::WriteIniValue(ini, "PARAM", "DBSource", "SRV01"));
  EXPECT_EQ(ReadBytes(ini), "[PARAM]\r\nDBSource=OLD\r\n");
}

class BrowseForFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    basComDlg::BrowseOwner = &owner_;
    basComDlg::BrowseTitle = "選擇目錄";
    basComDlg::BrowseFoldersOnly = true;
  }
  int owner_ = 0;
  ScriptedUi ui_;
};

TEST_F(BrowseForFolderTest, PassesTheSettingsAndReturnsTheChosenFolder) {
  ui_.QueueFolder("/data/DAT");
  EXPECT_EQ(basComDlg::BrowseForFolder(), "/data/DAT");
  ASSERT_EQ(ui_.folderRequests().size(), 1u);
  EXPECT_EQ(ui_.folderRequests()[0].owner, &owner_);
  EXPECT_EQ(ui_.folderRequests()[0].title, "選擇目錄");
  EXPECT_TRUE(ui_.folderRequests()[0].foldersOnly);
  EXPECT_EQ(basComDlg::BrowseTitle, "選擇目錄") << "the settings keep their values";
  EXPECT_TRUE(basComDlg::BrowseFoldersOnly);
}

TEST_F(BrowseForFolderTest, AnyFolderWhenNotFoldersOnly) {
  basComDlg::BrowseFoldersOnly = false;
  ui_.QueueFolder("C:\\");
  EXPECT_EQ(basComDlg::BrowseForFolder(), "C:\\");
  ASSERT_EQ(ui_.folderRequests().size(), 1u);
  EXPECT_FALSE(ui_.folderRequests()[0].foldersOnly);
}

TEST_F(BrowseForFolderTest, CancelGivesEmptyText) {
  ui_.QueueFolder(std::nullopt);
  EXPECT_EQ(basComDlg::BrowseForFolder(), "");
  EXPECT_TRUE(ui_.boxes().empty());
}

}  // namespace
