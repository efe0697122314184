// The registry tests run on the real registry: they must never reach the settings of
// whoever runs them.
#include <gtest/gtest.h>

#include "platform/win32/unique_handle_win32.h"
#include "support/private_registry_win32.h"

namespace {

using platform::win32::UniqueKey;

TEST(PrivateRegistry, TestSettingsLandBelowTheProcessOwnKeyNotInTheUsersSettings) {
  auto store = testing_support::EmptyPrivateSettingsStore();
  ASSERT_EQ(store->SaveSetting("RegTool test", "Isolation", "marker", "1"), platform::kSuccess);

  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenCurrentUser(KEY_READ, &opened), ERROR_SUCCESS);  // the user's own hive
  const UniqueKey user(opened);
  const std::string section = std::string(platform::kSettingsRoot) + "RegTool test\\Isolation";
  const std::string sandboxed =
      testing_support::private_registry::SandboxPath() + "\\" + section;
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyA(user.get(), sandboxed.c_str(), &key), ERROR_SUCCESS);
  const UniqueKey sandboxedKey(key);
  key = nullptr;
  EXPECT_EQ(RegOpenKeyA(user.get(), section.c_str(), &key), ERROR_FILE_NOT_FOUND);
  const UniqueKey realKey(key);
}

}  // namespace
