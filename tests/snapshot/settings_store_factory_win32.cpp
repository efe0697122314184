// A test's store is the registry, in an HKEY_CURRENT_USER of the test process's own and
// with the settings root removed, so that every test starts without settings.
#include "snapshot_fixture.h"
#include "support/private_registry_win32.h"

namespace snapshot_tests {

std::unique_ptr<platform::SettingsStore> FreshSettingsStore(const testing_support::TempDir&) {
  return testing_support::EmptyPrivateSettingsStore();
}

}  // namespace snapshot_tests
