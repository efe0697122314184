#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "common/failure.h"
#include "support/temp_dir.h"

namespace {

using platform::AtomicFileWriter;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

// The runtime error number a trap would report for what the body throws.
template <class Body>
std::int32_t FailureNumberOf(Body body) {
  try {
    body();
  } catch (const std::system_error&) {
    return common::CurrentFailure().number;
  }
  return 0;
}

std::size_t EntriesIn(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicFileWriter, CommitReplacesTheWholeFileWithExactlyTheBytesWritten) {
  TempDir dir;
  const std::string target = dir.file("Reg_PC.TXT");
  WriteBytes(target, std::string(300000, 'o'));
  // Line ends, NULs and high bytes pass untranslated, also across the writer's buffer.
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "a,b\r\n\n\x00\xA5\x5C" + std::to_string(i);
  {
    AtomicFileWriter writer(target);
    writer.Write(bytes.substr(0, 7));
    writer.Write(bytes.substr(7));
    writer.Commit();
  }
  EXPECT_EQ(ReadBytes(target), bytes);
  EXPECT_EQ(EntriesIn(dir.path()), 1u) << "no temporary file may stay behind";
}

TEST(AtomicFileWriter, CreatesAMissingFile) {
  TempDir dir;
  const std::string target = dir.file("new.txt");
  AtomicFileWriter writer(target);
  writer.Write("x\r\n");
  writer.Commit();
  EXPECT_EQ(ReadBytes(target), "x\r\n");
}

TEST(AtomicFileWriter, AnAbandonedWriterLeavesTheOldFileAndNoTrace) {
  TempDir dir;
  const std::string target = dir.file("keep.txt");
  WriteBytes(target, "old\r\n");
  {
    AtomicFileWriter writer(target);
    writer.Write(std::string(100000, 'n'));
  }
  EXPECT_EQ(ReadBytes(target), "old\r\n");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(AtomicFileWriter, FailuresCarryTheRuntimeNumbersOfTheirCause) {
  TempDir dir;
  EXPECT_EQ(FailureNumberOf([&] { AtomicFileWriter writer(dir.file("missing") + "/x.txt"); }),
            common::err::kPathNotFound);

  const std::string folder = dir.file("folder");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(FailureNumberOf([&] {
              AtomicFileWriter writer(folder);
              writer.Write("x");
              writer.Commit();
            }),
            common::err::kPathFileAccess);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(AtomicFileWriter, AReadOnlyFileIsRefusedAndTheSpentWriterNeverReplacesIt) {
  TempDir dir;
  const std::string target = dir.file("locked.txt");
  WriteBytes(target, "old");
  constexpr auto kAnyWrite = std::filesystem::perms::owner_write |
                             std::filesystem::perms::group_write |
                             std::filesystem::perms::others_write;
  std::filesystem::permissions(target, kAnyWrite, std::filesystem::perm_options::remove);
  {
    AtomicFileWriter writer(target);
    writer.Write("new");
    EXPECT_EQ(FailureNumberOf([&] { writer.Commit(); }), common::err::kPermissionDenied);
    EXPECT_EQ(ReadBytes(target), "old");

    // Writable again, the file still must not get what a failed writer holds.
    std::filesystem::permissions(target, kAnyWrite, std::filesystem::perm_options::add);
    EXPECT_NE(FailureNumberOf([&] { writer.Commit(); }), 0);
    EXPECT_NE(FailureNumberOf([&] { writer.Write("more"); }), 0);
    EXPECT_EQ(ReadBytes(target), "old");
  }
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

}  // namespace
