// The conformance suite's store on Windows: the real registry of the current user, with
// the settings root deleted first. Tests run one at a time, each in its own process.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "settings_store_factory.h"

std::unique_ptr<platform::SettingsStore> MakeEmptyStoreForTest() {
  std::string root(platform::kSettingsRoot);
  root.pop_back();  // without its trailing "\"
  const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot empty the settings root: status " + std::to_string(status));
  }
  return platform::OpenUserSettingsStore();
}
