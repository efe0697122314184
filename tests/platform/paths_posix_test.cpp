#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "support/big5_locale.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::NativePath;
using platform::PathKind;
using platform::QueryPath;
using testing_support::ScopedEnv;
using testing_support::TempDir;

TEST(NativePath, BackslashesBecomeSlashesAndDotDotStays) {
  EXPECT_EQ(NativePath("DAT\\Reg_PC1.TXT"), "DAT/Reg_PC1.TXT");
  EXPECT_EQ(NativePath("/opt/regtool\\..\\DAT\\"), "/opt/regtool/../DAT/");
  EXPECT_EQ(NativePath("/already/native"), "/already/native");
  EXPECT_EQ(NativePath(""), "");
}

TEST(NativePath, DriveLettersResolveThroughTheWinePrefixInLowerCase) {
  const ScopedEnv prefix("WINEPREFIX", "/srv/wine");
  EXPECT_EQ(NativePath("C:\\VODureza\\VODureza.ini"),
            "/srv/wine/dosdevices/c:/VODureza/VODureza.ini");
  EXPECT_EQ(NativePath("d:\\prog\\..\\DAT"), "/srv/wine/dosdevices/d:/prog/../DAT");
  EXPECT_EQ(NativePath("Z:/mixed\\seps"), "/srv/wine/dosdevices/z:/mixed/seps");
  EXPECT_EQ(NativePath("C:"), "/srv/wine/dosdevices/c:") << "the drive's root";
  EXPECT_EQ(NativePath("C:name.ini"), "/srv/wine/dosdevices/c:/name.ini");
}

TEST(NativePath, WithoutAPrefixTheDrivesAreInTheHomeFoldersWine) {
  const ScopedEnv home("HOME", "/home/tech");
  const ScopedEnv unset("WINEPREFIX", std::nullopt);
  EXPECT_EQ(NativePath("C:\\a.ini"), "/home/tech/.wine/dosdevices/c:/a.ini");
  const ScopedEnv empty("WINEPREFIX", "");
  EXPECT_EQ(NativePath("C:\\a.ini"), "/home/tech/.wine/dosdevices/c:/a.ini");
}

TEST(NativePath, OnlyALetterAndAColonAreADrive) {
  const ScopedEnv prefix("WINEPREFIX", "/w");
  EXPECT_EQ(NativePath("1:\\x"), "1:/x");
  EXPECT_EQ(NativePath("\xE9:\\x"), "\xE9:/x");
  EXPECT_EQ(NativePath("ab:\\x"), "ab:/x");
}

TEST(NativePath, TrailByteOfADoubleByteCharacterIsNoSeparator) {
  if (!testing_support::UnderBig5Locale()) return;
  const ScopedEnv prefix("WINEPREFIX", "/w");
  // 許 is B3 5C: its trail byte is the byte of "\".
  EXPECT_EQ(NativePath("C:\\\xB3\x5C\\a.ini"), "/w/dosdevices/c:/\xB3\x5C/a.ini");
  EXPECT_EQ(NativePath("\xB3\x5C\xB3\x5C"), "\xB3\x5C\xB3\x5C");
}

TEST(QueryPath, TellsFilesFromFoldersAndMissingPaths) {
  TempDir dir;
  testing_support::WriteBytes(dir.path() / "f.ini", "x");
  fs::create_directory(dir.path() / "sub");
  EXPECT_EQ(QueryPath(dir.file("f.ini")), PathKind::kFile);
  EXPECT_EQ(QueryPath(dir.file("sub")), PathKind::kDirectory);
  EXPECT_EQ(QueryPath(dir.file("sub") + "\\"), PathKind::kDirectory);
  EXPECT_EQ(QueryPath(dir.file("none")), PathKind::kMissing);
  EXPECT_EQ(QueryPath(dir.file("f.ini") + "\\"), PathKind::kMissing) << "a file is no folder";
  EXPECT_EQ(QueryPath(""), PathKind::kMissing);
}

// A Wine-style prefix in `dir` whose drive C: holds the file `path`.
void PlaceOnDriveC(const TempDir& dir, const fs::path& path) {
  fs::create_directories((dir.path() / "drive_c" / path).parent_path());
  testing_support::WriteBytes(dir.path() / "drive_c" / path, "x");
  fs::create_directories(dir.path() / "dosdevices");
  fs::create_directory_symlink("../drive_c", dir.path() / "dosdevices" / "c:");
}

TEST(QueryPath, FollowsLinksAndDriveLetters) {
  TempDir dir;
  PlaceOnDriveC(dir, "VODureza/VODureza.ini");
  fs::create_symlink(dir.path() / "nowhere", dir.path() / "dangling");
  const ScopedEnv prefix("WINEPREFIX", dir.path().string());
  EXPECT_EQ(QueryPath("C:\\VODureza\\VODureza.ini"), PathKind::kFile);
  EXPECT_EQ(QueryPath("C:\\VODureza"), PathKind::kDirectory);
  EXPECT_EQ(QueryPath("D:\\VODureza"), PathKind::kMissing);
  EXPECT_EQ(QueryPath(dir.file("dangling")), PathKind::kMissing);
}

// The family's installers chose the case of their files' names; Windows and Wine find
// them whatever case the tool asks for.
TEST(NativePath, NamesOnDiskMatchIgnoringCaseTheExactNameFirst) {
  TempDir dir;
  PlaceOnDriveC(dir, "VARIrazEve/VARIrazEve.INI");
  const ScopedEnv prefix("WINEPREFIX", dir.path().string());
  const std::string driveC = dir.file("dosdevices/c:");
  EXPECT_EQ(NativePath("C:\\VARIrazEve\\VARIrazEve.ini"), driveC + "/VARIrazEve/VARIrazEve.INI");
  EXPECT_EQ(NativePath("c:\\varirazeve\\"), driveC + "/VARIrazEve/");
  EXPECT_EQ(QueryPath("C:\\VARIRAZEVE\\varirazeve.ini"), PathKind::kFile);
  // A name not there yet (a file about to be created) keeps the caller's spelling below
  // the folders that are found.
  EXPECT_EQ(NativePath("C:\\varirazeve\\New\\Reg_X.TXT"), driveC + "/VARIrazEve/New/Reg_X.TXT");

  testing_support::WriteBytes(dir.path() / "drive_c" / "VARIrazEve" / "VARIrazEve.ini", "y");
  EXPECT_EQ(NativePath("C:\\VARIrazEve\\VARIrazEve.ini"), driveC + "/VARIrazEve/VARIrazEve.ini")
      << "the exact name wins";
  EXPECT_EQ(QueryPath("C:\\VARIrazEve\\variRAZeve.ini"), PathKind::kMissing)
      << "two names that differ only in case: which one was meant cannot be told";
}

}  // namespace
