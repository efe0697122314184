#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

#include "support/file_size_limit_posix.h"
#include "platform/atomic_file.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

int ErrnoOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code().category(), std::generic_category());
    return error.code().value();
  }
  return 0;
}

class AtomicFileWriterTest : public ::testing::Test {
 protected:
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
  std::string target_ = dir_.file("target.txt");
};

TEST_F(AtomicFileWriterTest, TheTargetKeepsItsOldContentUntilCommitThenHasOnlyTheNew) {
  WriteBytes(target_, "the old content, longer than the new");
  platform::AtomicFileWriter writer(target_);
  writer.Write("new ");
  writer.Write(std::string(200000, 'x'));  // several chunks reach the disk before Commit
  EXPECT_EQ(ReadBytes(target_), "the old content, longer than the new");
  writer.Commit();
  EXPECT_EQ(ReadBytes(target_), "new " + std::string(200000, 'x'));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.txt"});
}

TEST_F(AtomicFileWriterTest, AnAbandonedWriterLeavesTheTargetAndNoTemporaryFile) {
  WriteBytes(target_, "old");
  {
    platform::AtomicFileWriter writer(target_);
    writer.Write(std::string(100000, 'n'));
  }
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.txt"});
}

TEST_F(AtomicFileWriterTest, ANewFileGetsTheUsualPermissionsAReplacedOneKeepsItsOwn) {
  const mode_t previousMask = ::umask(022);
  {
    platform::AtomicFileWriter writer(target_);
    writer.Commit();
  }
  ::umask(previousMask);
  EXPECT_EQ(fs::status(target_).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read | fs::perms::others_read);

  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  platform::AtomicFileWriter writer(target_);
  writer.Commit();
  EXPECT_EQ(fs::status(target_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFileWriterTest, AReadOnlyTargetIsNotReplacedWhoeverRunsTheTool) {
  WriteBytes(target_, "protected");
  fs::permissions(target_, fs::perms::owner_read | fs::perms::group_read);
  platform::AtomicFileWriter writer(target_);
  writer.Write("replacement");
  EXPECT_EQ(ErrnoOf([&] { writer.Commit(); }), EACCES);
  EXPECT_EQ(ReadBytes(target_), "protected");
}

TEST_F(AtomicFileWriterTest, ASymbolicLinkStaysALinkToTheReplacedFile) {
  const fs::path real = dir_.path() / "real.txt";
  WriteBytes(real, "old");
  fs::create_symlink(real, target_);
  platform::AtomicFileWriter writer(target_);
  writer.Write("new");
  writer.Commit();
  EXPECT_TRUE(fs::is_symlink(target_));
  EXPECT_EQ(ReadBytes(real), "new");
}

// The window's save goes through the writer too: only a file is ever replaced, and a
// link that leads to no file yet gets that file, the link staying as it is.
TEST_F(AtomicFileWriterTest, OnlyAFileIsReplacedAndALinkLeadsToTheFileWritten) {
  const fs::path real = dir_.path() / "real.txt";
  struct Case {
    const char* what;
    std::function<void()> make;
    int error;
    fs::file_type stays;
  };
  const Case cases[] = {
      {"folder", [&] { fs::create_directory(target_); }, EISDIR, fs::file_type::directory},
      {"fifo", [&] { ASSERT_EQ(::mkfifo(target_.c_str(), 0600), 0); }, EPERM, fs::file_type::fifo},
      {"link to a fifo", [&] {
         ASSERT_EQ(::mkfifo(real.c_str(), 0600), 0);
         fs::create_symlink(real, target_);
       }, EPERM, fs::file_type::symlink},
      {"dangling link", [&] { fs::create_symlink("real.txt", target_); }, 0,
       fs::file_type::symlink},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    EXPECT_EQ(ErrnoOf([&] {
                platform::AtomicFileWriter writer(target_);
                writer.Write("new");
                writer.Commit();
              }),
              c.error);
    EXPECT_EQ(fs::symlink_status(target_).type(), c.stays);
    if (c.error == 0) {
      EXPECT_EQ(ReadBytes(real), "new");
    }
    fs::remove(target_);
    fs::remove(real);
  }
}

TEST_F(AtomicFileWriterTest, AMissingFolderFailsAtOnce) {
  EXPECT_EQ(ErrnoOf([&] { platform::AtomicFileWriter writer(dir_.file("missing/target.txt")); }),
            ENOENT);
}

TEST_F(AtomicFileWriterTest, AFailedWriteSpendsTheWriterAndNeverTouchesTheTarget) {
  WriteBytes(target_, "old");
  {
    platform::AtomicFileWriter writer(target_);
    {
      const testing_support::FileSizeLimit limit(1000);
      // The first chunk goes out partly, then the file may not grow any more.
      EXPECT_EQ(ErrnoOf([&] { writer.Write(std::string(70000, 'x')); }), EFBIG);
    }
    // With the limit gone a retry would now succeed, but the temporary file holds a
    // torn first chunk: the writer must refuse rather than commit it.
    EXPECT_NE(ErrnoOf([&] { writer.Commit(); }), 0);
    EXPECT_NE(ErrnoOf([&] { writer.Write("more"); }), 0);
  }
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.txt"});
}

TEST_F(AtomicFileWriterTest, AFailureShowingOnlyAtCommitKeepsTheOldFile) {
  WriteBytes(target_, "old");
  {
    platform::AtomicFileWriter writer(target_);
    writer.Write(std::string(5000, 'x'));  // stays in the buffer
    const testing_support::FileSizeLimit limit(1000);
    EXPECT_EQ(ErrnoOf([&] { writer.Commit(); }), EFBIG);
  }
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.txt"});
}

TEST_F(AtomicFileWriterTest, ACommittedWriterIsSpent) {
  platform::AtomicFileWriter writer(target_);
  writer.Write("once");
  writer.Commit();
  EXPECT_NE(ErrnoOf([&] { writer.Commit(); }), 0);
  EXPECT_NE(ErrnoOf([&] { writer.Write("twice"); }), 0);
  EXPECT_EQ(ReadBytes(target_), "once");
}

}  // namespace
