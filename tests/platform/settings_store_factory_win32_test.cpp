// The conformance suite's store on Windows: the real registry, in an HKEY_CURRENT_USER
// of the test process's own.
#include "settings_store_factory.h"
#include "support/private_registry_win32.h"

std::unique_ptr<platform::SettingsStore> MakeEmptyStoreForTest() {
  return testing_support::EmptyPrivateSettingsStore();
}
