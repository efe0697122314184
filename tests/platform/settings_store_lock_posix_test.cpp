// The lock that serialises writers: a writer waits for another process that holds it
// briefly, and gives up with a reason, changing nothing, when that process hangs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "settings_store_posix_fixture.h"

namespace {

using platform::kSuccess;
using Clock = std::chrono::steady_clock;

// Another process holding the store's lock, from construction until `holdFor` has
// passed or the holder is destroyed.
class LockHolder {
 public:
  LockHolder(const std::filesystem::path& lockFile, std::chrono::milliseconds holdFor) {
    int locked[2];
    if (::pipe(locked) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
      if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
      if (::write(locked[1], "L", 1) != 1) ::_exit(1);
      ::usleep(static_cast<useconds_t>(holdFor.count() * 1000));
      ::_exit(0);
    }
    ::close(locked[1]);
    char byte = 0;
    holding_ = ::read(locked[0], &byte, 1) == 1;
    ::close(locked[0]);
  }
  ~LockHolder() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  bool holding() const { return holding_; }

 private:
  pid_t pid_ = -1;
  bool holding_ = false;
};

class SettingsStoreLock : public store_test::PosixStoreTest {
 protected:
  void SetUp() override { ASSERT_EQ(store_->SaveSetting("App", "Sec", "k", "old"), kSuccess); }
  std::filesystem::path LockFile() const { return Folder() / "HKEY_CURRENT_USER.reg.lock"; }
};

TEST_F(SettingsStoreLock, AWriterWaitsForALockHeldBriefly) {
  LockHolder holder(LockFile(), std::chrono::milliseconds(300));
  ASSERT_TRUE(holder.holding());
  EXPECT_EQ(store_->SaveSetting("App", "Sec", "k", "new"), kSuccess);
  EXPECT_NE(FileBytes().find("\"k\"=\"new\""), std::string::npos);
}

TEST_F(SettingsStoreLock, ALockHeldByAHungProgramFailsTheWriteWithAReasonAndChangesNothing) {
  const std::string before = FileBytes();
  LockHolder holder(LockFile(), std::chrono::minutes(5));
  ASSERT_TRUE(holder.holding());
  const auto start = Clock::now();
  const platform::SettingWrite write{"App", "Sec", "k", "new"};
  EXPECT_EQ(store_->RestoreSettings({&write, 1}), platform::kStoreIoFailed);
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, std::chrono::seconds(10));
  EXPECT_LT(waited, std::chrono::seconds(15));
  EXPECT_NE(store_->LastFailureDescription().find("another program has held"), std::string::npos)
      << store_->LastFailureDescription();
  EXPECT_EQ(FileBytes(), before);
}

}  // namespace
