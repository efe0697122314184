#pragma once
// Replaces a file whole or not at all: the bytes go to a temporary file beside the
// target, which is flushed to disk and then renamed over it. Until Commit succeeds the
// target keeps its old content; an abandoned writer removes its temporary file.
// A replaced file keeps its permissions; a target that is a symbolic link stays one
// (the file it points to is replaced, or created where it leads to no file yet); a
// target that is not a file (a folder, a FIFO, a device, a socket) is never replaced
// (EISDIR, EPERM); a target that is read-only (no write permission
// at all, whoever runs the tool) is not replaced. After any failure the writer is spent:
// Write and Commit throw again and the target is never touched.
// On Windows, where no file can be made beside an existing target (a share where users
// may change files but not create or delete them), the target is written in place at
// Commit: a failure while writing may then leave it damaged.
// Failures throw std::system_error with a std::generic_category (errno) code.
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class AtomicFileWriter {
 public:
  // Creates the temporary file; the target's folder must exist.
  explicit AtomicFileWriter(std::string_view windowsPath);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Buffered; a failure may show here or only at Commit.
  void Write(std::string_view bytes);

  // Flush, sync, rename over the target (EACCES for a read-only target). After it, the
  // writer is spent.
  void Commit();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
