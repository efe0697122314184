#include "platform/undo_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/posix/make_folders.h"

namespace platform {
std::string UndoFolderPath() {
  const std::string base = posix::XdgBaseFolder("XDG_STATE_HOME", "/.local/state");
  return base.empty() ? base : base + "/regtool/undo";
}

bool MakeUndoFolder(std::string& folder, std::string& reason) {
  folder = UndoFolderPath();
  if (folder.empty()) {
    reason = "neither XDG_STATE_HOME nor HOME names a usable folder for the undo files";
    return false;
  }
  if (const int error = posix::MakeFolders(folder); error != 0) {
    reason = "cannot create the folder " + folder + ": " + std::strerror(error);
    return false;
  }
  return true;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    struct stat info {};
    if (::lstat(PathInFolder(folder, entry->d_name).c_str(), &info) == 0 &&
        S_ISREG(info.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  return names;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

NewFile CreateNewFile(const std::string& path, std::string& reason) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return NewFile::kCreated;
  }
  if (errno == EEXIST) return NewFile::kExists;
  reason = "cannot create " + path + ": " + std::strerror(errno);
  return NewFile::kFailed;
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

}  // namespace platform
