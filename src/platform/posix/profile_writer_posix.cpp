#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/posix/profile_encoding.h"
#include "platform/posix/whole_file.h"
#include "platform/profile_writer.h"

namespace platform {
namespace {

// The current content of the file, empty for a file still to be created; nothing when
// the write must be refused: a folder or other non-file at the path, a read-only file
// (no write permission bit at all, refused even for root, as Windows refuses a file
// with its read-only attribute), a file this user may not write, or a failed read.
std::optional<std::string> WritableContent(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::string();
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return std::nullopt;
  // The replacement goes through the folder, which would bypass the file's own
  // permissions.
  if (::access(path.c_str(), W_OK) != 0) return std::nullopt;
  std::string content;
  if (posix::ReadWholeFile(path, content) != 0) return std::nullopt;
  return content;
}

}  // namespace

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) {
  if (file.empty() || !FitsOnOneProfileLine(section) || !FitsOnOneProfileLine(key) ||
      !FitsOnOneProfileLine(value) || !NameEndsInWholeCharacter(section) ||
      !NameEndsInWholeCharacter(key)) {
    return false;
  }
  const std::optional<std::string> content = WritableContent(NativePath(file));
  if (!content) return false;
  const std::optional<std::string> updated =
      posix::SetProfileEntryInEncoding(*content, section, key, value);
  if (!updated) return false;
  if (*updated == *content) return true;
  try {
    AtomicFileWriter writer(file);
    writer.Write(*updated);
    writer.Commit();
    return true;
  } catch (const std::system_error&) {
    // A missing folder, a full disk: the file keeps its old content.
    return false;
  }
}

}  // namespace platform
