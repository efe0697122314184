// A test's store is the registry of the test run's own Wine prefix (or Windows user),
// with the settings root removed so that every test starts without settings.
#include <windows.h>

#include "snapshot_fixture.h"

namespace snapshot_tests {

std::unique_ptr<platform::SettingsStore> FreshSettingsStore(const testing_support::TempDir&) {
  std::string root(platform::kSettingsRoot);
  root.pop_back();
  const LSTATUS status = ::RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ADD_FAILURE() << "cannot clear the settings root, status " << status;
  }
  return platform::OpenUserSettingsStore();
}

}  // namespace snapshot_tests
