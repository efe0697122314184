// The settings store on posix: the user's whole HKEY_CURRENT_USER tree in one REGEDIT4
// file, ${XDG_CONFIG_HOME:-$HOME/.config}/vb-registry/HKEY_CURRENT_USER.reg.
//
// - No file means an empty tree: HKEY_CURRENT_USER has no keys, so the settings root
//   does not exist (2). The folder is made (0700) by the first call that may write.
// - Opening a key from the store reads the file once; that key and every key opened
//   through it see the tree as it was then.
// - Every write takes an exclusive lock on HKEY_CURRENT_USER.reg.lock, reads the file
//   again, changes the tree and writes the whole file through a temporary file that is
//   renamed over it. Processes saving at the same time therefore lose nothing, and a
//   failure at any step leaves the previous file as it was. A restore is one write.
// - A file that holds the very bytes the last opening read is not parsed again once no
//   key opened then is left: a restore reads the store to plan its batch, then writes.
//   A lock that another process holds for longer than a write can take fails the call
//   (1016) instead of waiting for ever. A hold for a batch takes the same lock for its
//   whole time; the store's own writes meanwhile go ahead under it.
// - A damaged file is never taken for an empty one nor overwritten: every call that
//   reads it returns 1009 and LastFailureDescription names the file and the line.
// - Names holding a line break or a NUL are refused (87): the file keeps one name per
//   line. A failure to read, lock or write returns 5 (permission) or 1016 (any other).
// One store object serves one thread.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/posix/make_folders.h"
#include "platform/posix/whole_file.h"
#include "platform/reg_calls.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"

namespace platform {
namespace {

Status StatusForErrno(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? kAccessDenied : kStoreIoFailed;
}

// The folder that holds the file, read from the environment now; empty when there is
// no usable one.
std::string RegistryFolder() {
  const std::string base = posix::XdgBaseFolder("XDG_CONFIG_HOME", "/.config");
  return base.empty() ? base : base + "/vb-registry";
}

// Another process writes the file in well under a second, even a large one; waiting
// longer than this means it hangs.
constexpr std::chrono::seconds kLockWait{10};

// An exclusive lock on the lock file, held until destruction.
class WriteLock {
 public:
  WriteLock() = default;
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;
  ~WriteLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }

  // 0, or the errno of the failed call: EWOULDBLOCK when another process held the lock
  // for all of kLockWait. A program that hangs while holding it must not hang the tool.
  int Acquire(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return errno;
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return errno;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
  }

 private:
  int fd_ = -1;
};

class FileKey final : public SettingsKey {
 public:
  FileKey(std::shared_ptr<const reg::Key> tree, const reg::Key& key)
      : tree_(std::move(tree)), key_(key) {}

  Status OpenSubKey(std::string_view path, std::unique_ptr<SettingsKey>& out) override {
    const reg::Key* found = nullptr;
    const Status status = reg::OpenPath(key_, path, found);
    if (status == kSuccess) out = std::make_unique<FileKey>(tree_, *found);
    return status;
  }

  Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) override {
    return reg::EnumKeyName(key_, index, name, capacity);
  }

  Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength, std::uint32_t* type,
                   unsigned char* data, std::uint32_t* dataLength) override {
    return reg::EnumValueEntry(key_, index, name, nameLength, type, data, dataLength);
  }

  // The tree outlives this key and never changes while a key sees it.
  bool ViewValues(std::vector<ValueView>& values) override {
    values.reserve(values.size() + key_.ValueCount());
    key_.ForEachValue([&values](const reg::Value& value) {
      values.push_back(ValueView{value.name, value.type, value.data});
    });
    return true;
  }

 private:
  std::shared_ptr<const reg::Key> tree_;  // keeps the snapshot alive
  const reg::Key& key_;
};

class FileStore final : public SettingsStore {
 public:
  explicit FileStore(std::string folder)
      : folder_(std::move(folder)), file_(folder_ + "/HKEY_CURRENT_USER.reg") {}

  Status OpenCurrentUserKey(std::string_view path, std::unique_ptr<SettingsKey>& out) override {
    lastFailure_.clear();
    std::shared_ptr<reg::Key> tree;
    if (const Status status = Load(tree, true); status != kSuccess) return status;
    const reg::Key* found = nullptr;
    const Status status = reg::OpenPath(*tree, path, found);
    if (status == kSuccess) out = std::make_unique<FileKey>(std::move(tree), *found);
    return status;
  }

  Status HoldForBatch(std::unique_ptr<StoreHold>& hold) override {
    lastFailure_.clear();
    auto lock = std::make_unique<WriteLock>();
    if (const Status status = Lock(*lock); status != kSuccess) return status;
    hold = std::make_unique<Hold>(*this, std::move(lock));
    return kSuccess;
  }

  Status SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view text) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      changed = true;
      return reg::SaveSetting(currentUser, application, section, key, text, reason);
    });
  }

  Status DeleteSetting(std::string_view application, std::string_view section,
                       std::string_view key) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      changed = true;
      return reg::DeleteSetting(currentUser, application, section, key, reason);
    });
  }

  Status RestoreSettings(std::span<const SettingWrite> writes) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      changed = !writes.empty();
      std::size_t i = 0;
      const Status status = reg::RestoreSettings(currentUser, writes, i, reason);
      if (status != kSuccess) {
        const SettingWrite& write = writes[i];
        reason = "setting " + std::to_string(i + 1) + " of " + std::to_string(writes.size()) +
                 " (" + write.application + "\\" + write.section + "\\" + write.key + "): " + reason;
      }
      return status;
    });
  }

  Status ApplyChanges(std::span<const RegChange> changes) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      changed = !changes.empty();
      std::size_t i = 0;
      const Status status = reg::ApplyChanges(currentUser, changes, i, reason);
      if (status != kSuccess) {
        reason = "change " + std::to_string(i + 1) + " of " + std::to_string(changes.size()) + ": " +
                 reason;
      }
      return status;
    });
  }

  Status CreateCurrentUserKey(std::string_view path) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      reg::Key* key = nullptr;
      return reg::CreatePath(currentUser, path, key, changed, reason);
    });
  }

  Status SetCurrentUserValue(std::string_view path, std::string_view name, std::uint32_t type,
                             std::string_view bytes) override {
    return Change([&](reg::Key& currentUser, std::string& reason, bool& changed) {
      changed = true;
      return reg::SetValue(currentUser, path, name, type, bytes, reason);
    });
  }

  std::string LastFailureDescription() const override { return lastFailure_; }

 private:
  Status Fail(Status status, std::string description) {
    lastFailure_ = std::move(description);
    return status;
  }

  Status FailForErrno(int error, const char* doing, const std::string& path) {
    return Fail(StatusForErrno(error),
                std::string("cannot ") + doing + " " + path + ": " + std::strerror(error));
  }

  Status NoFolder() {
    return Fail(kStoreIoFailed,
                "no folder for the settings file: neither XDG_CONFIG_HOME nor HOME names a "
                "usable one");
  }

  // The tree as the file holds it now; an empty one when there is no file. The tree of
  // the last opening is taken again when the file holds the bytes it was read from and no
  // key sees it any more (what a key sees never changes); a tree loaded for `opening`
  // is kept for the next load.
  Status Load(std::shared_ptr<reg::Key>& tree, bool opening) {
    if (folder_.empty()) return NoFolder();
    Opened last = std::exchange(opened_, {});
    std::string bytes;
    if (const int error = posix::ReadWholeFile(file_, bytes); error != 0) {
      if (error != ENOENT) return FailForErrno(error, "read", file_);
      tree = std::make_shared<reg::Key>(reg::kCurrentUserName);
      return kSuccess;
    }
    if (last.tree != nullptr && last.tree.use_count() == 1 && bytes == last.bytes) {
      tree = std::move(last.tree);
    } else {
      last = {};  // its memory, before a second tree takes as much
      tree = std::make_shared<reg::Key>(reg::kCurrentUserName);
      reg::ParseError parseError;
      if (!reg::ParseRegFile(bytes, *tree, parseError)) {
        return Fail(kStoreCorrupt, file_ + ", line " + std::to_string(parseError.line) + ": " +
                                       parseError.message +
                                       ". The file is left as it is until it is repaired.");
      }
    }
    if (opening) opened_ = {tree, std::move(bytes)};
    return kSuccess;
  }

  // The lock that every writer takes, in the folder made for the file.
  Status Lock(WriteLock& lock) {
    if (folder_.empty()) return NoFolder();
    if (const int error = posix::MakeFolders(folder_); error != 0) {
      return FailForErrno(error, "create the folder", folder_);
    }
    if (const int error = lock.Acquire(file_ + ".lock"); error == EWOULDBLOCK) {
      return Fail(kStoreIoFailed, "another program has held " + file_ + ".lock for " +
                                      std::to_string(kLockWait.count()) +
                                      " seconds; nothing was written");
    } else if (error != 0) {
      return FailForErrno(error, "lock", file_ + ".lock");
    }
    return kSuccess;
  }

  // A batch's hold: the lock, which this store's writes then need not take (a second
  // lock of the same file would wait for the first).
  class Hold final : public StoreHold {
   public:
    Hold(FileStore& store, std::unique_ptr<WriteLock> lock) : store_(store), lock_(std::move(lock)) {
      store_.held_ = true;
    }
    ~Hold() override { store_.held_ = false; }

   private:
    FileStore& store_;
    std::unique_ptr<WriteLock> lock_;
  };

  // Under the lock: reads the file, lets `change` work on the tree and writes the file
  // when it succeeded and changed something.
  template <typename ChangeTree>
  Status Change(ChangeTree&& change) {
    lastFailure_.clear();
    WriteLock lock;
    if (!held_) {
      if (const Status status = Lock(lock); status != kSuccess) return status;
    }
    std::shared_ptr<reg::Key> tree;
    if (const Status status = Load(tree, false); status != kSuccess) return status;
    std::string reason;
    bool changed = false;
    if (const Status status = change(*tree, reason, changed); status != kSuccess) {
      return status == kNotFound ? status : Fail(status, reason);
    }
    if (!changed) return kSuccess;
    try {
      AtomicFileWriter writer(file_);
      writer.Write(reg::FormatRegFile(*tree));
      writer.Commit();
    } catch (const std::system_error& error) {
      return FailForErrno(error.code().value(), "write", file_);
    }
    return kSuccess;
  }

  // A tree that an opening read, with the file's bytes it was read from.
  struct Opened {
    std::shared_ptr<reg::Key> tree;
    std::string bytes;
  };

  std::string folder_;
  std::string file_;
  std::string lastFailure_;
  Opened opened_;
  bool held_ = false;  // a batch's hold has the lock
};

}  // namespace

std::unique_ptr<SettingsStore> OpenUserSettingsStore() {
  return std::make_unique<FileStore>(RegistryFolder());
}

// The store's file holds any bytes (as hex(1): where a quoted line cannot) and gives them
// back as they were, whatever the locale: there is no conversion that could change them.
bool StoreKeepsTextExactly(std::string_view) { return true; }

}  // namespace platform
