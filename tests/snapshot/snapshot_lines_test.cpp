// Taking a snapshot file line by line: only CR LF ends a line, or LF in a file without
// any CR LF.
#include "snapshot/snapshot_lines.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<std::string> LinesOf(const TempDir& dir, const std::string& bytes) {
  const std::string path = dir.file("lines.txt");
  WriteBytes(path, bytes);
  bmRegistry::SnapshotLineReader reader(path, "");
  std::vector<std::string> lines;
  for (std::string line; reader.Next(line);) {
    lines.push_back(line);
    EXPECT_EQ(reader.LineNumber(), lines.size());
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST(SnapshotLines, EndAtCrLfOnlyAndKeepLoneCrAndLf) {
  TempDir dir;
  EXPECT_EQ(LinesOf(dir, ""), Lines{});
  EXPECT_EQ(LinesOf(dir, "\r\n"), Lines{""});
  EXPECT_EQ(LinesOf(dir, "a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf(dir, "\na\rb\n\r\n\r"), (Lines{"\na\rb\n", "\r"}));
  EXPECT_EQ(LinesOf(dir, "a\r\r\n\n\r\n"), (Lines{"a\r", "\n"}));
}

TEST(SnapshotLines, ACrLfSplitAcrossReadBlocksStillEndsTheLine) {
  TempDir dir;
  for (std::size_t length : {65535u, 65536u, 65537u}) {
    const std::string first(length - 1, 'x');
    EXPECT_EQ(LinesOf(dir, first + "\r\nnext\r\n"), (Lines{first, "next"})) << length;
  }
  // That CR LF alone keeps the LF before it inside its line.
  const std::string first(65533, 'x');
  EXPECT_EQ(LinesOf(dir, "a\n" + first + "\r\nb"), (Lines{"a\n" + first, "b"}));
  EXPECT_EQ(LinesOf(dir, "a\n" + first + "\rb"), (Lines{"a", first + "\rb"}));
}

TEST(SnapshotLines, AVeryLongLineIsReadWhole) {
  TempDir dir;
  const std::string huge(50u << 20, 'd');
  const Lines lines = LinesOf(dir, "A,S,k," + huge + "\r\nA,S,k2,v\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), huge.size() + 6);
  EXPECT_EQ(lines[1], "A,S,k2,v");
}

TEST(SnapshotLines, AFileThatCannotBeOpenedThrows) {
  TempDir dir;
  EXPECT_THROW(bmRegistry::SnapshotLineReader(dir.file("none"), ""), std::system_error);
}

}  // namespace
