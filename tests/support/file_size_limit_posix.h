#pragma once
// Makes writes fail on purpose: a lowered file size limit for one scope.
#include <sys/resource.h>

#include <csignal>

namespace testing_support {

// Lowers this process's file size limit for one scope. Writes past it fail with EFBIG,
// or, with `killOnExcess`, end the process with SIGXFSZ as a crash would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes, bool killOnExcess = false) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    savedHandler_ = std::signal(SIGXFSZ, killOnExcess ? SIG_DFL : SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*savedHandler_)(int) = nullptr;
};

}  // namespace testing_support
