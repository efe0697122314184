#include "platform/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/win32/unique_handle_win32.h"

namespace platform {
namespace {

// Windows error codes as the errno values the rest of the tool classifies
// (common::CurrentFailure turns them into the runtime's error numbers).
std::errc ErrcFromWindowsError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return std::errc::no_such_file_or_directory;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return std::errc::permission_denied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::errc::no_space_on_device;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return std::errc::not_enough_memory;
    case ERROR_DIRECTORY:
      return std::errc::not_a_directory;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return std::errc::file_exists;
    default:
      return std::errc::io_error;
  }
}

[[noreturn]] void ThrowWindowsError(DWORD error, const std::string& what) {
  throw std::system_error(std::make_error_code(ErrcFromWindowsError(error)), what);
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

struct AtomicFileWriter::Impl {
  enum class State { kOpen, kFailed, kCommitted };

  std::string target;
  std::string temporary;
  win32::UniqueFile file;
  std::string buffer;
  State state = State::kOpen;

  // Any failure spends the writer: what reached the temporary file is no longer known,
  // so it must never be moved over the target.
  [[noreturn]] void Fail(std::errc error) {
    state = State::kFailed;
    throw std::system_error(std::make_error_code(error), target);
  }
  [[noreturn]] void Fail(DWORD windowsError) { Fail(ErrcFromWindowsError(windowsError)); }

  void RequireOpen() {
    if (state != State::kOpen) {
      throw std::system_error(std::make_error_code(state == State::kFailed
                                                       ? std::errc::io_error
                                                       : std::errc::bad_file_descriptor),
                              target);
    }
  }

  void FlushBuffer() {
    std::size_t done = 0;
    while (done < buffer.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - done, 1u << 30));
      if (!WriteFile(file.get(), buffer.data() + done, chunk, &written, nullptr)) {
        Fail(GetLastError());
      }
      done += written;
    }
    buffer.clear();
  }

  // Windows refuses to replace a file with the read-only attribute, but Wine moves over
  // it: the attribute is honoured here before anything is replaced.
  void RefuseReadOnlyTarget() {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      Fail(std::errc::permission_denied);
    }
  }
};

AtomicFileWriter::AtomicFileWriter(std::string_view windowsPath) : impl_(std::make_unique<Impl>()) {
  impl_->target = std::string(windowsPath);
  // A name no other writer uses: this process's id and a counter, created exclusively.
  static unsigned counter = 0;
  for (;;) {
    std::string candidate = impl_->target + "." + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter) + ".tmp";
    HANDLE handle = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      impl_->file.reset(handle);
      impl_->temporary = std::move(candidate);
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      ThrowWindowsError(error, impl_->target);
    }
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  impl_->file.reset();
  if (!impl_->temporary.empty()) DeleteFileA(impl_->temporary.c_str());
}

void AtomicFileWriter::Write(std::string_view bytes) {
  constexpr std::size_t kChunk = 1 << 16;
  impl_->RequireOpen();
  impl_->buffer.append(bytes);
  if (impl_->buffer.size() >= kChunk) impl_->FlushBuffer();
}

void AtomicFileWriter::Commit() {
  impl_->RequireOpen();
  impl_->FlushBuffer();
  if (!FlushFileBuffers(impl_->file.get())) impl_->Fail(GetLastError());
  if (!CloseHandle(impl_->file.release())) impl_->Fail(GetLastError());
  impl_->RefuseReadOnlyTarget();
  if (!MoveFileExA(impl_->temporary.c_str(), impl_->target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    // Windows says only "access denied" when a folder stands at the target's path.
    if (error == ERROR_ACCESS_DENIED && IsDirectory(impl_->target)) {
      impl_->Fail(std::errc::is_a_directory);
    }
    impl_->Fail(error);
  }
  impl_->temporary.clear();
  impl_->state = Impl::State::kCommitted;
}

}  // namespace platform
