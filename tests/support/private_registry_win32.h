#pragma once
// Windows only; header-only, so that the posix build of the support library never sees
// it. Tests that empty the settings root must never touch the settings of whoever runs
// them (on Windows, the family's programs keep theirs there): each test process gets an
// HKEY_CURRENT_USER of its own.
#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/settings_store.h"

namespace testing_support {
namespace private_registry {

inline const std::string& SandboxPath() {
  static const std::string path =
      "Software\\RegTool tests\\" + std::to_string(GetCurrentProcessId());
  return path;
}

inline void RemoveSandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath().c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\RegTool tests");  // fails while others run
}

// From the first call on, HKEY_CURRENT_USER of this process is a key below the real one,
// which goes when the process ends.
inline void Install() {
  static const bool installed = [] {
    RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath().c_str());  // left by a crashed run
    HKEY sandbox = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, SandboxPath().c_str(), &sandbox) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, sandbox) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot give the test its own HKEY_CURRENT_USER");
    }
    RegCloseKey(sandbox);
    std::atexit(RemoveSandbox);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace private_registry

// A settings store on this test process's own HKEY_CURRENT_USER, without a settings root.
inline std::unique_ptr<platform::SettingsStore> EmptyPrivateSettingsStore() {
  private_registry::Install();
  std::string root(platform::kSettingsRoot);
  root.pop_back();  // without its trailing "\"
  const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot empty the settings root: status " + std::to_string(status));
  }
  return platform::OpenUserSettingsStore();
}

}  // namespace testing_support
