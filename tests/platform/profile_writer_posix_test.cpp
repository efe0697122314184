// What only the posix writer has to get right: the file is replaced through a
// temporary file, and must come out as the same file (permissions, links, drive paths,
// double-byte names).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/profile_writer.h"
#include "support/big5_locale.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::WritePrivateProfileString;
using testing_support::ReadBytes;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteBytes;

ino_t Inode(const fs::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
  return info.st_ino;
}

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(ProfileWriterPosix, ReplacedFileKeepsItsPermissionBits) {
  TempDir dir;
  const fs::path ini = dir.file("a.ini");
  WriteBytes(ini, "[S]\r\nk=1\r\n");
  fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "2", ini.string()));
  EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(ini).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ProfileWriterPosix, SymbolicLinkStaysALinkAndItsTargetIsWritten) {
  TempDir dir;
  const fs::path target = dir.file("real.ini");
  const fs::path link = dir.file("link.ini");
  WriteBytes(target, "[S]\r\nk=1\r\n");
  fs::create_symlink(target, link);
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "2", link.string()));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");
}

TEST(ProfileWriterPosix, UnchangedValueDoesNotReplaceTheFile) {
  TempDir dir;
  const fs::path ini = dir.file("a.ini");
  WriteBytes(ini, "[S]\r\nk=1\r\n");
  const ino_t before = Inode(ini);
  ASSERT_TRUE(WritePrivateProfileString("s", "K", "1", ini.string()));
  EXPECT_EQ(Inode(ini), before);
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "2", ini.string()));
  EXPECT_NE(Inode(ini), before) << "a changed file is replaced whole";
}

TEST(ProfileWriterPosix, NoTemporaryFileIsLeftBehind) {
  TempDir dir;
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "1", dir.file("a.ini")));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "1", dir.file("missing/a.ini")));
  fs::create_directory(dir.file("folder.ini"));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "1", dir.file("folder.ini")));
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
  EXPECT_TRUE(fs::is_empty(dir.file("folder.ini")));
}

TEST(ProfileWriterPosix, EmptyPathAndNulInATextAreRefused) {
  TempDir dir;
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "1", ""));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", std::string("a\0b", 3), dir.file("a.ini")));
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(ProfileWriterPosix, DriveLetterPathsLandInTheWinePrefix) {
  TempDir dir;
  fs::create_directories(dir.path() / "drive_c" / "VODureza");
  fs::create_directory(dir.path() / "dosdevices");
  fs::create_directory_symlink("../drive_c", dir.path() / "dosdevices" / "c:");
  const ScopedEnv prefix("WINEPREFIX", dir.path().string());
  ASSERT_TRUE(
      WritePrivateProfileString("PARAM", "DBSource", "SRV01", "C:\\VODureza\\VODureza.ini"));
  EXPECT_EQ(ReadBytes(dir.path() / "drive_c" / "VODureza" / "VODureza.ini"),
            "[PARAM]\r\nDBSource=SRV01\r\n");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dosdevices" / "c:"));
}

TEST(ProfileWriterPosix, DoubleByteNamesMatchWholeCharacters) {
  if (!testing_support::UnderBig5Locale()) return;
  // 設定 is B3 5D A9 77: its first trail byte is "]". 乙 (A4 41) and 兀 (A4 61) differ
  // only in a trail byte that looks like a letter of another case.
  TempDir dir;
  const fs::path ini = dir.file("a.ini");
  WriteBytes(ini, "[\xB3\x5D\xA9\x77]\r\n\xA4\x41=1\r\n");
  ASSERT_TRUE(WritePrivateProfileString("\xB3\x5D\xA9\x77", "\xA4\x61", "2", ini.string()));
  ASSERT_TRUE(WritePrivateProfileString("\xB3\x5D\xA9\x77", "\xA4\x41", "3", ini.string()));
  EXPECT_EQ(ReadBytes(ini), "[\xB3\x5D\xA9\x77]\r\n\xA4\x41=3\r\n\xA4\x61=2\r\n");
}

// Found by fuzz/profile_writer_fuzzer.cpp: a lone lead byte at the end of a section name
// swallowed the "]" after it, so the header written was no header and every write added
// two more lines.
TEST(ProfileWriterPosix, NamesEndingInsideADoubleByteCharacterAreRefused) {
  if (!testing_support::UnderBig5Locale()) return;
  TempDir dir;
  const fs::path ini = dir.file("a.ini");
  const std::string before = "[\xA5\x5C]\r\n\xB3]=1\r\n";
  WriteBytes(ini, before);
  EXPECT_FALSE(WritePrivateProfileString("\xA5", "k", "2", ini.string()));
  EXPECT_FALSE(WritePrivateProfileString("PARAM", "k\xA5 ", "2", ini.string()));
  EXPECT_EQ(ReadBytes(ini), before);
  EXPECT_TRUE(WritePrivateProfileString("\xA5\x5C", "\xB3]", "2", ini.string()));
  EXPECT_EQ(ReadBytes(ini), "[\xA5\x5C]\r\n\xB3]=2\r\n");
}

// A Unicode file that cannot be read back code unit for code unit, or a text that the
// code page cannot put into it exactly, would be damaged by the edit: refused, and the
// file stays byte for byte.
TEST(ProfileWriterPosix, UnicodeFilesThatCannotBeEditedSafelyAreRefused) {
  TempDir dir;
  const fs::path ini = dir.file("a.ini");
  const std::string entry = std::string("[\0S\0]\0\r\0\n\0", 10);
  for (const std::string& bytes :
       {"\xFF\xFE" + entry + "k",                       // cut in a code unit
        "\xFF\xFE" + entry + std::string("\0\xD8", 2),  // a lone surrogate
        "\xFE\xFF" + std::string("\0[\0S\0]", 6)}) {    // big-endian
    WriteBytes(ini, bytes);
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", ini.string()));
    EXPECT_EQ(ReadBytes(ini), bytes);
  }
  const std::string unicode = "\xFF\xFE" + entry;
  WriteBytes(ini, unicode);
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "\xA6", ini.string())) << "no character";
  EXPECT_EQ(ReadBytes(ini), unicode);
}

}  // namespace
