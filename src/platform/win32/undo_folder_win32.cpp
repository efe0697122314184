#include "platform/undo_folder.h"

#include <windows.h>

namespace platform {
namespace {

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length != 0 ? std::string(text, length) : "error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

}  // namespace

std::string UndoFolderPath() {
  char base[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", base, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(base, length) + "\\RegTool\\Undo";
}

bool MakeUndoFolder(std::string& folder, std::string& reason) {
  folder = UndoFolderPath();
  if (folder.empty()) {
    reason = "LOCALAPPDATA names no folder for the undo files";
    return false;
  }
  // Every level after the drive (or the server and share) that is missing.
  for (std::size_t slash = folder.find('\\', 3);; slash = folder.find('\\', slash + 1)) {
    const std::string level = folder.substr(0, slash);
    if (!CreateDirectoryA(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      reason = "cannot create the folder " + level + ": " + SystemMessage(GetLastError());
      return false;
    }
    if (slash == std::string::npos) break;
  }
  if ((GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    reason = folder + " is not a folder";
    return false;
  }
  return true;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const HANDLE find = FindFirstFileA(PathInFolder(folder, "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0)
      names.emplace_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

NewFile CreateNewFile(const std::string& path, std::string& reason) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return NewFile::kCreated;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return NewFile::kExists;
  reason = "cannot create " + path + ": " + SystemMessage(error);
  return NewFile::kFailed;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

}  // namespace platform
