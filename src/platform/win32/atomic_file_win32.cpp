#include "platform/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/win32/ansi_wide_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace platform {
namespace {

using win32::UniqueFile;

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
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
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

// Failures that pass: a virus scanner, an indexer or a backup holding the file for a
// moment, or a second save of the same file finishing. They are tried again for about a
// second before they count.
bool MayPass(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    // A file made at the target's path meanwhile is replaced at the next try.
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return true;
    default:
      return false;
  }
}

// `attempt` returns ERROR_SUCCESS or the Windows error it met.
template <class Attempt>
DWORD Retrying(Attempt attempt) {
  constexpr int kAttempts = 10;
  constexpr DWORD kPauseMilliseconds = 100;
  DWORD error = ERROR_SUCCESS;
  for (int i = 0; i < kAttempts; ++i) {
    if (i > 0) Sleep(kPauseMilliseconds);
    error = attempt();
    if (error == ERROR_SUCCESS || !MayPass(error)) break;
  }
  return error;
}

DWORD ErrorOf(BOOL succeeded) { return succeeded ? ERROR_SUCCESS : GetLastError(); }

// The file a save replaces, refusing what is not a regular file: a folder, a device such
// as NUL or CON, a pipe. Reached through a symbolic link, the file it points to is the
// target, so the link stays. Empty when nothing stands at the path yet.
std::wstring FileToReplace(const std::wstring& path, const std::string& shown) {
  const auto refuse = [&](std::errc error) {
    throw std::system_error(std::make_error_code(error),
                            shown + " is not a regular file, so the save does not replace it");
  };
  // Device names (NUL, CON, COM1) resolve into the device namespace, where nothing is a
  // file to save; a pipe is not even opened, as that would connect to it.
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()),
                                          full.data(), nullptr);
    if (length == 0) ThrowWindowsError(GetLastError(), shown);
    const bool done = length < full.size();
    full.resize(length);
    if (done) break;
  }
  if (full.starts_with(L"\\\\.\\")) refuse(std::errc::operation_not_permitted);
  // No access asked for: this opens a file whoever holds it, and changes nothing.
  const UniqueFile handle(CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};
    // Not to be looked at, but there: the save meets the same failure and names it.
    if (error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME) return path;
    ThrowWindowsError(error, shown);
  }
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) refuse(std::errc::operation_not_permitted);
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(handle.get(), &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    refuse(std::errc::is_a_directory);
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle.get(), final.data(),
                                                   static_cast<DWORD>(final.size()), 0);
    if (length == 0) ThrowWindowsError(GetLastError(), shown);
    if (length < final.size()) {
      final.resize(length);
      return final;
    }
    final.resize(length);
  }
}

}  // namespace

struct AtomicFileWriter::Impl {
  enum class State { kOpen, kFailed, kCommitted };

  std::string target;    // as the caller named it, for messages
  std::wstring file;     // the file written: the target, or the file its link points to
  std::wstring temporary;
  // Where no file can be made beside the target (a share where users may change files
  // but not create or delete them), the target itself is opened and written at Commit:
  // a failure while writing then leaves it damaged.
  bool inPlace = false;
  UniqueFile handle;
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
    WriteOut(buffer);
    buffer.clear();
  }

  void WriteOut(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      if (!WriteFile(handle.get(), bytes.data() + done, chunk, &written, nullptr)) {
        Fail(GetLastError());
      }
      done += written;
    }
  }

  // Windows refuses to replace a file with the read-only attribute, but Wine moves over
  // it: the attribute is honoured here before anything is replaced.
  void RefuseReadOnlyTarget() {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      Fail(std::errc::permission_denied);
    }
  }

  // ReplaceFileW keeps the target's attributes, security and streams. Wine's moves the
  // new file over it instead, so the attributes a user sees (hidden, system) go with the
  // new file before the replace.
  DWORD Replace() {
    const DWORD old = GetFileAttributesW(file.c_str());
    if (old == INVALID_FILE_ATTRIBUTES) {
      return ErrorOf(MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH));
    }
    // Replacing renames the old file, which a program holding it without
    // FILE_SHARE_DELETE prevents; Wine's ReplaceFileW then leaves an empty file of its
    // own beside it. So such a hold is found before anything is tried.
    if (!UniqueFile(CreateFileW(file.c_str(), DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))) {
      return GetLastError();
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((old & kKept) != 0) SetFileAttributesW(temporary.c_str(), old & kKept);
    return ErrorOf(ReplaceFileW(file.c_str(), temporary.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
  }

  // The whole content over the target's: space for it first, so that a full disk fails
  // before the old content is touched.
  void WriteInPlace() {
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(buffer.size());
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(handle.get(), &current)) Fail(GetLastError());
    if (size.QuadPart > current.QuadPart &&
        (!SetFilePointerEx(handle.get(), size, nullptr, FILE_BEGIN) ||
         !SetEndOfFile(handle.get()))) {
      Fail(GetLastError());
    }
    if (!SetFilePointerEx(handle.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) Fail(GetLastError());
    FlushBuffer();
    if (!SetEndOfFile(handle.get())) Fail(GetLastError());
  }
};

AtomicFileWriter::AtomicFileWriter(std::string_view windowsPath) : impl_(std::make_unique<Impl>()) {
  Impl& impl = *impl_;
  impl.target = std::string(windowsPath);
  const std::wstring path = win32::AnsiToWide(windowsPath);
  impl.file = FileToReplace(path, impl.target);
  const bool exists = !impl.file.empty();
  if (!exists) impl.file = path;
  // A name no other writer uses: this process's id and a counter, created exclusively.
  static unsigned counter = 0;
  for (;;) {
    std::wstring candidate = impl.file + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(++counter) + L".tmp";
    HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      impl.handle.reset(handle);
      impl.temporary = std::move(candidate);
      return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && exists) break;
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      ThrowWindowsError(error, impl.target);
    }
  }
  // Held from now on, so that no second save writes into it meanwhile.
  const DWORD error = Retrying([&] {
    impl.handle.reset(CreateFileW(impl.file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return impl.handle ? ERROR_SUCCESS : GetLastError();
  });
  if (error != ERROR_SUCCESS) ThrowWindowsError(error, impl.target);
  impl.inPlace = true;
}

AtomicFileWriter::~AtomicFileWriter() {
  impl_->handle.reset();
  if (!impl_->temporary.empty()) {
    Retrying([&] { return ErrorOf(DeleteFileW(impl_->temporary.c_str())); });
  }
}

void AtomicFileWriter::Write(std::string_view bytes) {
  constexpr std::size_t kChunk = 1 << 16;
  impl_->RequireOpen();
  // A whole file formatted at once goes out as it is: copied into the buffer first, a
  // file of megabytes would take as much fresh memory again. Written in place, the old
  // content stays whole until everything is known.
  if (!impl_->inPlace && impl_->buffer.empty() && bytes.size() >= kChunk) {
    impl_->WriteOut(bytes);
    return;
  }
  impl_->buffer.append(bytes);
  if (!impl_->inPlace && impl_->buffer.size() >= kChunk) impl_->FlushBuffer();
}

void AtomicFileWriter::Commit() {
  Impl& impl = *impl_;
  impl.RequireOpen();
  if (impl.inPlace) {
    impl.WriteInPlace();
  } else {
    impl.FlushBuffer();
  }
  if (!FlushFileBuffers(impl.handle.get())) impl.Fail(GetLastError());
  if (!CloseHandle(impl.handle.release())) impl.Fail(GetLastError());
  if (!impl.inPlace) {
    impl.RefuseReadOnlyTarget();
    if (const DWORD error = Retrying([&] { return impl.Replace(); }); error != ERROR_SUCCESS) {
      impl.Fail(error);
    }
    impl.temporary.clear();
  }
  impl.state = Impl::State::kCommitted;
}

}  // namespace platform
