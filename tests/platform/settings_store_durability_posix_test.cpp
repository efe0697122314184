// The posix store keeps what it had through failed and crashed writes, loses nothing
// when processes save at the same time, and reads a large tree whole. How quickly it
// reads one is the store benchmarks' business.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "settings_store_posix_fixture.h"
#include "settings_store_reading.h"
#include "support/file_size_limit_posix.h"

namespace {

namespace fs = std::filesystem;
using platform::kSuccess;
using store_test::Open;
using store_test::Settings;
using store_test::StringValue;

// Runs `child` in a forked process and returns its wait status. The child ends with
// _exit, so that nothing of this test program runs twice.
template <typename Child>
int RunInChild(Child&& child) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(child());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

using SettingsStoreDurability = store_test::PosixStoreTest;

TEST_F(SettingsStoreDurability, AWriterKilledHalfwayLeavesThePreviousFile) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "kept", "old"), kSuccess);
  const std::string before = FileBytes();
  const int status = RunInChild([&] {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const testing_support::FileSizeLimit limit(4096, /*killOnExcess=*/true);
    store_->SaveSetting("App", "Sec", "large", std::string(100000, 'x'));
    return 0;
  });
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "wait status " << status;
  EXPECT_EQ(FileBytes(), before);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "after", "new"), kSuccess);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")),
            (std::vector{StringValue("kept", "old"), StringValue("after", "new")}));
}

TEST_F(SettingsStoreDurability, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "kept", "old"), kSuccess);
  const std::string before = FileBytes();
  {
    const testing_support::FileSizeLimit limit(4096);
    EXPECT_EQ(store_->SaveSetting("App", "Sec", "large", std::string(100000, 'x')),
              platform::kStoreIoFailed);
  }
  EXPECT_EQ(store_->LastFailureDescription(),
            "cannot write " + File().string() + ": " + std::strerror(EFBIG));
  EXPECT_EQ(FileBytes(), before);
  EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(SettingsStoreDurability, AReadOnlyFileIsNotChanged) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "kept", "old"), kSuccess);
  fs::permissions(File(), fs::perms::owner_read);
  EXPECT_EQ(store_->SaveSetting("App", "Sec", "new", "v"), platform::kAccessDenied);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")),
            (std::vector{StringValue("kept", "old")}));
}

TEST_F(SettingsStoreDurability, ProcessesSavingAtTheSameTimeLoseNothing) {
  constexpr int kChildren = 3;
  constexpr int kSavesEach = 20;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  std::vector<pid_t> children;
  for (int child = 0; child < kChildren; ++child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      char go = 0;
      ::close(ready[1]);
      if (::read(ready[0], &go, 1) != 0) ::_exit(2);  // all start when the pipe closes
      auto store = platform::OpenUserSettingsStore();
      for (int i = 0; i < kSavesEach; ++i) {
        if (store->SaveSetting("App", "Child" + std::to_string(child), "Key" + std::to_string(i),
                               "v") != kSuccess) {
          ::_exit(1);
        }
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  ::close(ready[0]);
  ::close(ready[1]);
  for (const pid_t pid : children) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
  }
  for (int child = 0; child < kChildren; ++child) {
    auto section = Open(*store_, Settings("App\\Child" + std::to_string(child)));
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(store_test::Values(*section).size(), static_cast<std::size_t>(kSavesEach));
  }
}

// CPU time, which other work on a busy machine does not inflate.
std::string FileOfSections(int sections, int valuesEach) {
  std::string text = "REGEDIT4\r\n\r\n";
  for (int section = 0; section < sections; ++section) {
    text += "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Big\\Section" +
            std::to_string(section) + "]\r\n";
    for (int value = 0; value < valuesEach; ++value) {
      text += "\"Key" + std::to_string(value) + "\"=\"some text of a setting\"\r\n";
    }
    text += "\r\n";
  }
  return text;
}

std::size_t CountValuesBelow(platform::SettingsKey& key) {
  std::size_t count = store_test::Values(key).size();
  for (const std::string& name : store_test::SubKeyNames(key)) {
    std::unique_ptr<platform::SettingsKey> sub;
    EXPECT_EQ(key.OpenSubKey(name, sub), kSuccess);
    if (sub) count += CountValuesBelow(*sub);
  }
  return count;
}

TEST_F(SettingsStoreDurability, AHundredThousandValuesInOneOrManySectionsAreAllEnumerated) {
  for (const auto& [sections, valuesEach] : {std::pair{1000, 100}, std::pair{1, 100000}}) {
    WriteFile(FileOfSections(sections, valuesEach));
    std::unique_ptr<platform::SettingsKey> root;
    ASSERT_EQ(store_->OpenCurrentUserKey(platform::kSettingsRoot, root), kSuccess);
    EXPECT_EQ(CountValuesBelow(*root), 100000u) << sections << " sections of " << valuesEach;
  }
}

}  // namespace
