// A save or a restore that has returned is on the disk: the new file is synced before it
// is renamed over the old one, and the folder after, so a power cut leaves the old file
// or the new one, never an empty one. This program defines fsync, fdatasync and rename
// itself, so every call the code under test makes comes through here: each is noted
// while a test listens, then the C library's own is made.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

namespace fs = std::filesystem;

struct FileCall {
  std::string name;  // "sync" (fsync or fdatasync) or "rename"
  std::string path;  // what was synced, or what was renamed
  std::string to;    // a rename's new name
};
void PrintTo(const FileCall& call, std::ostream* out) {
  *out << call.name << ' ' << call.path << (call.to.empty() ? "" : " -> ") << call.to;
}

std::mutex callsMutex;
bool listening = false;
std::vector<FileCall> calls;

void Note(const std::function<FileCall()>& call) {
  const std::lock_guard lock(callsMutex);
  if (listening) calls.push_back(call());
}

// Paths as the kernel names them, so that a descriptor's file and a renamed name compare.
std::string PathOfDescriptor(int fd) {
  std::error_code error;
  return fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string();
}
std::string Canonical(const fs::path& path) {
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path.string() : canonical.string();
}

void NoteSync(int fd) {
  Note([fd] { return FileCall{"sync", PathOfDescriptor(fd), ""}; });
}
void NoteRename(const char* from, const char* to) {
  Note([from, to] { return FileCall{"rename", Canonical(from), Canonical(to)}; });
}

template <typename Function>
Function* Next(const char* name) {
  return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

// Notes the calls made while it lives.
class CallLog {
 public:
  CallLog() {
    const std::lock_guard lock(callsMutex);
    calls.clear();
    listening = true;
  }
  ~CallLog() {
    const std::lock_guard lock(callsMutex);
    listening = false;
  }
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  std::vector<FileCall> Calls() const {
    const std::lock_guard lock(callsMutex);
    return calls;
  }
};

}  // namespace
}  // namespace snapshot_tests

extern "C" int fsync(int fd) {
  snapshot_tests::NoteSync(fd);
  static auto* const next = snapshot_tests::Next<int(int)>("fsync");
  return next(fd);
}

extern "C" int fdatasync(int fd) {
  snapshot_tests::NoteSync(fd);
  static auto* const next = snapshot_tests::Next<int(int)>("fdatasync");
  return next(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
  snapshot_tests::NoteRename(from, to);
  static auto* const next = snapshot_tests::Next<int(const char*, const char*)>("rename");
  return next(from, to);
}

namespace snapshot_tests {
namespace {

using SyncOrder = SnapshotTest;

TEST_F(SyncOrder, TheNewFileIsSyncedBeforeItReplacesTheOldAndTheFolderAfter) {
  Save("App", "Sec", "k", "stored");
  const std::string snapshot = dir.file("Reg_PC.TXT");
  const std::string restored = dir.file("restored.txt");
  testing_support::WriteBytes(restored, "App,Sec,k,restored\r\n");
  struct Case {
    const char* name;
    std::function<bool()> write;
    std::string target;
  };
  const Case cases[] = {
      {"the save's snapshot", [&] { return bmRegistry::GetCurrentKeyToFile(snapshot, *store); },
       snapshot},
      {"the restore's store file", [&] { return bmRegistry::LoadRegistry(restored, *store); },
       dir.file("config/vb-registry/HKEY_CURRENT_USER.reg")},
  };
  for (const Case& c : cases) {
    const CallLog log;
    ASSERT_TRUE(c.write()) << c.name;
    const std::vector<FileCall> made = log.Calls();
    const std::string target = Canonical(c.target);
    std::size_t rename = 0;
    while (rename < made.size() && !(made[rename].name == "rename" && made[rename].to == target)) {
      ++rename;
    }
    ASSERT_LT(rename, made.size())
        << c.name << ": no rename onto it; " << testing::PrintToString(made);
    const auto synced = [&](std::size_t from, std::size_t to, const std::string& path) {
      for (std::size_t call = from; call < to; ++call) {
        if (made[call].name == "sync" && made[call].path == path) return true;
      }
      return false;
    };
    EXPECT_TRUE(synced(0, rename, made[rename].path))
        << c.name << ": the new file is not synced before the rename; "
        << testing::PrintToString(made);
    EXPECT_TRUE(synced(rename + 1, made.size(), Canonical(fs::path(target).parent_path())))
        << c.name << ": the folder is not synced after the rename; "
        << testing::PrintToString(made);
  }
}

}  // namespace
}  // namespace snapshot_tests
