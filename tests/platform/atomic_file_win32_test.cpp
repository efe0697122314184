// The save on Windows file servers: the replaced file keeps what Windows keeps with it,
// a file held for a moment by another program is waited for, and only regular files are
// ever replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "platform/atomic_file.h"
#include "support/temp_dir.h"

namespace {

using platform::AtomicFileWriter;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::size_t EntriesIn(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

void Save(const std::string& target, std::string_view bytes) {
  AtomicFileWriter writer(target);
  writer.Write(bytes);
  writer.Commit();
}

TEST(AtomicFileWriterOnWindows, AReplacedFileKeepsItsAttributes) {
  const DWORD rows[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
  for (const DWORD attributes : rows) {
    TempDir dir;
    const std::string target = dir.file("Reg_PC.TXT");
    WriteBytes(target, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
    Save(target, "new\r\n");
    EXPECT_EQ(ReadBytes(target), "new\r\n");
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & attributes, attributes) << attributes;
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
  }
}

// Sharing is decided per open handle, so a handle of this test stands for the virus
// scanner's: opened without FILE_SHARE_DELETE, it keeps the file from being replaced.
TEST(AtomicFileWriterOnWindows, AFileHeldByAnotherProgramIsWaitedForAboutASecond) {
  struct Row {
    int heldMilliseconds;
    bool saved;
  };
  const Row rows[] = {{300, true}, {2000, false}};
  for (const Row& row : rows) {
    TempDir dir;
    const std::string target = dir.file("Reg_PC.TXT");
    WriteBytes(target, "old\r\n");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([&] {
      Sleep(static_cast<DWORD>(row.heldMilliseconds));
      CloseHandle(held);
    });
    bool saved = true;
    try {
      Save(target, "new\r\n");
    } catch (const std::system_error& e) {
      saved = false;
      EXPECT_EQ(e.code(), std::errc::permission_denied);
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
    release.join();
    EXPECT_EQ(saved, row.saved) << row.heldMilliseconds;
    EXPECT_EQ(ReadBytes(target), row.saved ? "new\r\n" : "old\r\n");
    EXPECT_EQ(EntriesIn(dir.path()), 1u) << "no temporary file may stay behind";
  }
}

TEST(AtomicFileWriterOnWindows, WhatIsNotARegularFileIsRefusedByNameAndLeftAlone) {
  TempDir dir;
  const std::string folder = dir.file("folder");
  std::filesystem::create_directory(folder);
  const std::string rows[] = {folder, "NUL", "CON", "\\\\.\\NUL", "\\\\.\\pipe\\regtool-test"};
  for (const std::string& target : rows) {
    try {
      Save(target, "new\r\n");
      ADD_FAILURE() << target << " was written";
    } catch (const std::system_error& e) {
      EXPECT_NE(std::string(e.what()).find(target + " is not a regular file"), std::string::npos)
          << e.what();
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

}  // namespace
