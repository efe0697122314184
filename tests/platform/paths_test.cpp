#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace {

using platform::PathKind;
using platform::QueryPath;
using testing_support::TempDir;

TEST(QueryPath, TellsFilesFromFoldersAndMissingPaths) {
  TempDir dir;
  const std::string file = dir.file("Reg_PC.TXT");
  testing_support::WriteBytes(file, "x");
  EXPECT_EQ(QueryPath(file), PathKind::kFile);
  EXPECT_EQ(QueryPath(dir.path().string()), PathKind::kDirectory);
  EXPECT_EQ(QueryPath(dir.file("missing.txt")), PathKind::kMissing);
  EXPECT_EQ(QueryPath(""), PathKind::kMissing);
}

TEST(QueryPath, AReadOnlyFileIsStillAFile) {
  TempDir dir;
  const std::string file = dir.file("locked.ini");
  testing_support::WriteBytes(file, "x");
  std::filesystem::permissions(file, std::filesystem::perms::all,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(QueryPath(file), PathKind::kFile);
}

TEST(QueryPath, APathCutShortByANulIsMalformedNotTheFileBeforeIt) {
  TempDir dir;
  const std::string file = dir.file("a.txt");
  testing_support::WriteBytes(file, "x");
  EXPECT_EQ(QueryPath(file + std::string(1, '\0') + "b"), PathKind::kMissing);
}

}  // namespace
