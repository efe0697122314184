#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/paths.h"

namespace platform {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link stays a link: the file it points to is replaced.
std::string LinkTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

}  // namespace

struct AtomicFileWriter::Impl {
  std::string target;
  std::string temporary;
  int fd = -1;
  std::string buffer;

  void FlushBuffer() {
    std::size_t done = 0;
    while (done < buffer.size()) {
      const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(target);
      }
      done += static_cast<std::size_t>(n);
    }
    buffer.clear();
  }
};

AtomicFileWriter::AtomicFileWriter(std::string_view windowsPath) : impl_(std::make_unique<Impl>()) {
  impl_->target = LinkTarget(NativePath(windowsPath));
  std::string pattern = impl_->target + ".XXXXXX";
  impl_->fd = ::mkstemp(pattern.data());
  if (impl_->fd < 0) ThrowErrno(impl_->target);
  impl_->temporary = pattern;
  // mkstemp creates the file 0600. A replaced file keeps its permission bits (and its
  // owner, where this user may set it); a new file gets the usual permissions.
  struct stat old {};
  if (::stat(impl_->target.c_str(), &old) == 0) {
    if (::fchown(impl_->fd, old.st_uid, old.st_gid) != 0) {
      // Only root may give a file away; the file then belongs to this user.
    }
    ::fchmod(impl_->fd, old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(impl_->fd, 0666 & ~mask);
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (impl_->fd >= 0) ::close(impl_->fd);
  if (!impl_->temporary.empty()) ::unlink(impl_->temporary.c_str());
}

void AtomicFileWriter::Write(std::string_view bytes) {
  constexpr std::size_t kChunk = 1 << 16;
  impl_->buffer.append(bytes);
  if (impl_->buffer.size() >= kChunk) impl_->FlushBuffer();
}

void AtomicFileWriter::Commit() {
  impl_->FlushBuffer();
  if (::fsync(impl_->fd) != 0) ThrowErrno(impl_->target);
  const int fd = impl_->fd;
  impl_->fd = -1;
  if (::close(fd) != 0) ThrowErrno(impl_->target);
  if (::rename(impl_->temporary.c_str(), impl_->target.c_str()) != 0) ThrowErrno(impl_->target);
  impl_->temporary.clear();
  // Make the rename itself durable.
  const int dir = ::open(FolderOf(impl_->target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace platform
