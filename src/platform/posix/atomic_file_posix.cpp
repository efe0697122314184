#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace platform {
namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link stays a link: the file it leads to is the one replaced, or created
// when it leads to no file yet (as the shell's ">" does), so a snapshot file redirected
// by a link to another disk is written there from the first save on.
std::string FileBehindLinks(std::string path) {
  constexpr int kMostLinks = 40;  // as the kernel allows before ELOOP
  for (int link = 0; link < kMostLinks; ++link) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) ThrowErrno(errno, path);
    target.resize(static_cast<std::size_t>(length));
    path = !target.empty() && target.front() == '/' ? target : FolderOf(path) + '/' + target;
  }
  ThrowErrno(ELOOP, path);
}

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// Why the file at `native` must not be replaced (an errno), or 0. Only a file is: a
// rename would put a regular file in place of a folder, a FIFO, a device such as
// /dev/null or a socket, and break whatever uses it. Replacing goes through the folder,
// which would pass over a target that has been made read-only; Windows refuses to
// replace such a file, and so does this writer, even for root (the caller learns that
// at Commit, as on Windows).
int RefusedTarget(const std::string& native, bool readOnlyToo) {
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0) return 0;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EPERM;
  return readOnlyToo && (info.st_mode & kAnyWrite) == 0 ? EACCES : 0;
}

}  // namespace

struct AtomicFileWriter::Impl {
  enum class State { kOpen, kFailed, kCommitted };

  std::string target;
  std::string temporary;
  int fd = -1;
  std::string buffer;
  off_t written = 0;      // bytes in the file so far
  off_t writtenBack = 0;  // of those, the ones handed to the disk
  State state = State::kOpen;

  // Any failure spends the writer: what reached the temporary file is no longer known,
  // so it must never be renamed over the target.
  [[noreturn]] void Fail(int error) {
    state = State::kFailed;
    ThrowErrno(error, target);
  }

  void RequireOpen() {
    if (state != State::kOpen) ThrowErrno(state == State::kFailed ? EIO : EBADF, target);
  }

  void FlushBuffer() {
    WriteOut(buffer);
    buffer.clear();
  }

  void WriteOut(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail(errno);
      }
      done += static_cast<std::size_t>(n);
    }
    written += bytes.size();
    StartWriteBack();
  }

  // Hands each written megabyte to the disk while the rest is still being made, so that
  // the flush at Commit waits for the last piece only (an undo file of 9 MB waited 10 ms
  // for all of it). A failure here is one the flush reports.
  void StartWriteBack() {
    constexpr off_t kWriteBackStep = 1 << 20;
    if (written - writtenBack < kWriteBackStep) return;
    ::sync_file_range(fd, writtenBack, written - writtenBack, SYNC_FILE_RANGE_WRITE);
    writtenBack = written;
  }

  // Checked again at the rename, as the target may have changed while the file was
  // written.
  void RefuseTarget() {
    if (const int refused = RefusedTarget(target, true); refused != 0) Fail(refused);
  }
};

AtomicFileWriter::AtomicFileWriter(std::string_view windowsPath) : impl_(std::make_unique<Impl>()) {
  impl_->target = FileBehindLinks(NativePath(windowsPath));
  if (const int refused = RefusedTarget(impl_->target, false); refused != 0) {
    ThrowErrno(refused, impl_->target);
  }
  std::string pattern = impl_->target + ".XXXXXX";
  impl_->fd = ::mkstemp(pattern.data());
  if (impl_->fd < 0) ThrowErrno(errno, impl_->target);
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
  impl_->RequireOpen();
  // A whole file formatted at once goes out as it is: copied into the buffer first, a
  // file of megabytes would take as much fresh memory again.
  if (impl_->buffer.empty() && bytes.size() >= kChunk) {
    impl_->WriteOut(bytes);
    return;
  }
  impl_->buffer.append(bytes);
  if (impl_->buffer.size() >= kChunk) impl_->FlushBuffer();
}

void AtomicFileWriter::Commit() {
  impl_->RequireOpen();
  impl_->FlushBuffer();
  if (::fsync(impl_->fd) != 0) impl_->Fail(errno);
  const int fd = impl_->fd;
  impl_->fd = -1;
  if (::close(fd) != 0) impl_->Fail(errno);
  impl_->RefuseTarget();
  if (::rename(impl_->temporary.c_str(), impl_->target.c_str()) != 0) impl_->Fail(errno);
  impl_->temporary.clear();
  impl_->state = Impl::State::kCommitted;
  // Make the rename itself durable.
  const int dir = ::open(FolderOf(impl_->target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace platform
