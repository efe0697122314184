// What WritePrivateProfileStringA does on Windows, byte for byte. The suite runs on
// every backend: our posix writer, and the real call under Wine. Wine rewrites the
// whole file where Windows edits one line, so byte checks that only Windows' way passes
// are skipped there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/profile_writer.h"
#include "platform/system_info.h"
#include "support/temp_dir.h"

namespace {

using platform::WritePrivateProfileString;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

constexpr const char* kWineRewritesFiles =
    "Wine rewrites the whole file (blank lines, spacing and line ends of other lines)";

// The bytes of a text in UTF-16LE, as a Unicode INI file holds it.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

class ProfileWriterConformance : public ::testing::Test {
 protected:
  // The INI file of the test, starting with `bytes`.
  void Start(std::string_view bytes) { WriteBytes(ini_, bytes); }
  void StartFromFixture(std::string_view name) {
    Start(ReadBytes(std::filesystem::path(REGTOOL_TEST_DATA_DIR) / "ini" / name));
  }
  bool Write(std::string_view section, std::string_view key, std::string_view value) {
    return WritePrivateProfileString(section, key, value, ini_);
  }
  std::string Bytes() const { return ReadBytes(ini_); }

  TempDir dir_;
  std::string ini_ = dir_.file("test.ini");
};

// --- Creating files, sections and keys ---------------------------------------------

TEST_F(ProfileWriterConformance, MissingFileIsCreatedWithSectionAndKey) {
  ASSERT_TRUE(Write("PARAM", "DBSource", "SRV01"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=SRV01\r\n");
}

TEST_F(ProfileWriterConformance, NewKeysFollowTheLastKeyAndNewSectionsEndTheFile) {
  ASSERT_TRUE(Write("App1", "key1", "string1"));
  ASSERT_TRUE(Write("App1", "key2", "string2"));
  ASSERT_TRUE(Write("App2", "key4", "string4"));
  ASSERT_TRUE(Write("App1", "key3", "string3"));
  ASSERT_TRUE(Write("App3", "key5", "string5"));
  EXPECT_EQ(Bytes(),
            "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n"
            "[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n");
}

TEST_F(ProfileWriterConformance, EmptyValueLeavesNothingAfterTheEqualsSign) {
  ASSERT_TRUE(Write("PARAM", "GCNT", ""));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nGCNT=\r\n");
}

// --- Replacing a value ---------------------------------------------------------------

TEST_F(ProfileWriterConformance, ExistingValueIsReplacedAndOtherEntriesStay) {
  Start("[PARAM]\r\nDBSource=OLD\r\nGCNT=x\r\n[Other]\r\nDBSource=keep\r\n");
  ASSERT_TRUE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=NEW\r\nGCNT=x\r\n[Other]\r\nDBSource=keep\r\n");
}

TEST_F(ProfileWriterConformance, NamesMatchIgnoringCaseAndKeepTheFilesSpelling) {
  Start("[Sec]\r\nKey=old\r\n");
  ASSERT_TRUE(Write("SEC", "KEY", "new"));
  EXPECT_EQ(Bytes(), "[Sec]\r\nKey=new\r\n");
}

TEST_F(ProfileWriterConformance, BlanksAroundTheGivenNamesAreIgnoredWhenMatching) {
  Start("[Sec]\r\nKey=old\r\n");
  ASSERT_TRUE(Write("  Sec ", " Key  ", "new"));
  EXPECT_EQ(Bytes(), "[Sec]\r\nKey=new\r\n");
}

TEST_F(ProfileWriterConformance, BlanksAroundNamesInTheFileAreIgnoredAndOnlyTheLineWrittenChanges) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  Start("[ Sec ]\r\n  Key = old\r\nOther = 5\r\n");
  ASSERT_TRUE(Write("Sec", "key", "new"));
  EXPECT_EQ(Bytes(), "[ Sec ]\r\nKey=new\r\nOther = 5\r\n");
}

TEST_F(ProfileWriterConformance, NewNamesAreWrittenWithoutTheirSurroundingBlanks) {
  if (platform::RunningUnderWine()) {
    GTEST_SKIP() << "Wine strips only the leading blanks of new names";
  }
  ASSERT_TRUE(Write("  New Sec  ", " spk ", "v"));
  EXPECT_EQ(Bytes(), "[New Sec]\r\nspk=v\r\n");
}

TEST_F(ProfileWriterConformance, LineWithoutEqualsSignIsAKeyOfThatName) {
  Start("[S]\r\nfoo\r\nbar=1\r\n");
  ASSERT_TRUE(Write("S", "foo", "x"));
  EXPECT_EQ(Bytes(), "[S]\r\nfoo=x\r\nbar=1\r\n");
}

// --- Duplicates ----------------------------------------------------------------------

TEST_F(ProfileWriterConformance, DuplicateKeysOnlyTheFirstIsUpdated) {
  StartFromFixture("duplicates.ini");
  ASSERT_TRUE(Write("PARAM", "A", "new"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nA=new\r\nA=2\r\n[Other]\r\nX=1\r\n[param]\r\nB=3\r\n");
}

TEST_F(ProfileWriterConformance, KeyOnlyInASecondDuplicateSectionIsAddedToTheFirst) {
  StartFromFixture("duplicates.ini");
  ASSERT_TRUE(Write("Param", "B", "4"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nA=1\r\nA=2\r\nB=4\r\n[Other]\r\nX=1\r\n[param]\r\nB=3\r\n");
}

// --- Every other byte stays ----------------------------------------------------------

TEST_F(ProfileWriterConformance, CommentsBlankLinesAndSpacingStay) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  StartFromFixture("comments.ini");
  ASSERT_TRUE(Write("PARAM", "DBSource", "SRV01"));
  ASSERT_TRUE(Write("param", "GCNT", "g"));
  ASSERT_TRUE(Write("Print", "Copies", "2"));
  // GCNT follows the last entry; the blank line and the comment that open the next
  // section stay in front of it.
  EXPECT_EQ(Bytes(),
            "; VODureza parameters\r\n\r\n[PARAM]\r\n; the database server\r\n"
            "DBSource=SRV01\r\n  Timeout=30\r\nGCNT=g\r\n\r\n; printing\r\n"
            "[ Print ]\r\nCopies=2\r\n");
}

TEST_F(ProfileWriterConformance, NewKeyInASectionWithoutEntriesFollowsItsHeader) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  Start("[Empty]\r\n\r\n[Next]\r\nk=1\r\n");
  ASSERT_TRUE(Write("Empty", "k", "v"));
  EXPECT_EQ(Bytes(), "[Empty]\r\nk=v\r\n\r\n[Next]\r\nk=1\r\n");
}

TEST_F(ProfileWriterConformance, LfOnlyLinesStayAndWrittenLinesEndInCrLf) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  StartFromFixture("lf_only.ini");
  ASSERT_TRUE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_EQ(Bytes(), "[PARAM]\nDBSource=NEW\r\nTimeout = 30\n");
  ASSERT_TRUE(Write("PARAM", "GCNT", "g"));
  EXPECT_EQ(Bytes(), "[PARAM]\nDBSource=NEW\r\nTimeout = 30\nGCNT=g\r\n");
}

TEST_F(ProfileWriterConformance, CrOnlyLineEndsAreLineEnds) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  Start("[PARAM]\rDBSource=OLD\rTimeout=30\r");
  ASSERT_TRUE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_EQ(Bytes(), "[PARAM]\rDBSource=NEW\r\nTimeout=30\r");
}

TEST_F(ProfileWriterConformance, LastLineWithoutLineEndGetsOneBeforeANewKey) {
  Start("[PARAM]\r\nDBSource=OLD");
  ASSERT_TRUE(Write("PARAM", "GCNT", "g"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=OLD\r\nGCNT=g\r\n");
}

TEST_F(ProfileWriterConformance, LastLineWithoutLineEndGetsOneBeforeANewSection) {
  Start("[PARAM]\r\nDBSource=OLD");
  ASSERT_TRUE(Write("Other", "k", "v"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=OLD\r\n[Other]\r\nk=v\r\n");
}

TEST_F(ProfileWriterConformance, LastLineWithoutLineEndStaysSoWhenAnotherLineIsWritten) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineRewritesFiles;
  Start("[PARAM]\r\nDBSource=OLD\r\n[Other]\r\nk=1");
  ASSERT_TRUE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=NEW\r\n[Other]\r\nk=1");
}

// Windows itself takes the first line for no section and appends a second [PARAM];
// like Wine, we recognise the section behind the byte order mark.
TEST_F(ProfileWriterConformance, Utf8BomIsKeptAndTheFirstSectionRecognised) {
  StartFromFixture("bom.ini");
  ASSERT_TRUE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[PARAM]\r\nDBSource=NEW\r\n");
}

// A file that begins with the UTF-16LE byte order mark is a Unicode file: the entry is
// written in UTF-16LE and every other code unit stays.
TEST_F(ProfileWriterConformance, Utf16LeFileIsEditedInUtf16) {
  Start(Utf16Le(u"\uFEFF[PARAM]\r\nGCNT=old\r\n名稱=伺服器\r\n"));
  ASSERT_TRUE(Write("param", "gcnt", "new"));
  ASSERT_TRUE(Write("PARAM", "DBSource", "SRV01"));
  ASSERT_TRUE(Write("Other", "k", "v"));
  EXPECT_EQ(Bytes(), Utf16Le(u"\uFEFF[PARAM]\r\nGCNT=new\r\n名稱=伺服器\r\nDBSource=SRV01\r\n"
                             u"[Other]\r\nk=v\r\n"));
}

// --- Values are written exactly as given ---------------------------------------------

TEST_F(ProfileWriterConformance, SemicolonsEqualsSignsAndQuotesAreWrittenRaw) {
  const std::string connection =
      "Provider=SQLOLEDB;data source=SRV 01;initial catalog=RiVUZ;User ID=sa;Password=;";
  ASSERT_TRUE(Write("PARAM", "GCNT", connection));
  ASSERT_TRUE(Write("PARAM", "quoted", "\"q\""));
  ASSERT_TRUE(Write("PARAM", "name", "O'Neil"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nGCNT=" + connection + "\r\nquoted=\"q\"\r\nname=O'Neil\r\n");
}

TEST_F(ProfileWriterConformance, BlanksAroundAValueAreKept) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << "Wine strips the blanks around values";
  ASSERT_TRUE(Write("PARAM", "DBSource", "  SRV01 "));
  ASSERT_TRUE(Write("PARAM", "GCNT", "Provider=SQLOLEDB;data source= SRV01 ;"));
  EXPECT_EQ(Bytes(),
            "[PARAM]\r\nDBSource=  SRV01 \r\nGCNT=Provider=SQLOLEDB;data source= SRV01 ;\r\n");
}

TEST_F(ProfileWriterConformance, UnchangedValueSucceedsAndLeavesTheFileAsItWas) {
  Start("[PARAM]\r\nDBSource=SRV01\r\n");
  ASSERT_TRUE(Write("param", "dbsource", "SRV01"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=SRV01\r\n");
}

TEST_F(ProfileWriterConformance, LineBreakInATextIsRefusedAndTheFileStays) {
  Start("[PARAM]\r\nDBSource=OLD\r\n");
  EXPECT_FALSE(Write("PARAM", "DBSource", "SRV\r\n[Injected]"));
  EXPECT_FALSE(Write("PARAM", "Key\nb", "v"));
  EXPECT_FALSE(Write("PA\rRAM", "DBSource", "v"));
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=OLD\r\n");
}

// --- Refused writes ------------------------------------------------------------------

TEST_F(ProfileWriterConformance, MissingFolderIsRefusedAndNotCreated) {
  const auto folder = dir_.path() / "VODureza";
  EXPECT_FALSE(
      WritePrivateProfileString("PARAM", "DBSource", "SRV01", (folder / "VODureza.ini").string()));
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(ProfileWriterConformance, FolderAtThePathIsRefused) {
  std::filesystem::create_directory(ini_);
  EXPECT_FALSE(Write("PARAM", "DBSource", "SRV01"));
  EXPECT_TRUE(std::filesystem::is_directory(ini_));
  EXPECT_TRUE(std::filesystem::is_empty(ini_));
}

TEST_F(ProfileWriterConformance, ReadOnlyFileIsRefusedAndUntouched) {
  if (platform::RunningUnderWine() && !testing_support::ReadOnlyFilesRefuseWrites(dir_)) {
    GTEST_SKIP() << "Wine run as root writes read-only files anyway";
  }
  Start("[PARAM]\r\nDBSource=OLD\r\n");
  testing_support::MakeReadOnly(ini_);
  EXPECT_FALSE(Write("PARAM", "DBSource", "NEW"));
  EXPECT_FALSE(Write("PARAM", "GCNT", "g"));
  EXPECT_FALSE(Write("PARAM", "DBSource", "OLD")) << "refused even when nothing would change";
  EXPECT_EQ(Bytes(), "[PARAM]\r\nDBSource=OLD\r\n");
}

}  // namespace
