// A test's store is the posix store's file inside the test's own folder.
#include <cstdlib>

#include "snapshot_fixture.h"

namespace snapshot_tests {

std::unique_ptr<platform::SettingsStore> FreshSettingsStore(const testing_support::TempDir& dir) {
  ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  ::setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);  // its restores' undo files
  return platform::OpenUserSettingsStore();
}

}  // namespace snapshot_tests
