// Conformance: a restore that the store must refuse in part changes nothing at all.
// The registry has no batch, so its store has to know before the first write.
#include <gtest/gtest.h>

#include "settings_store_factory.h"
#include "settings_store_reading.h"

namespace {

using platform::kInvalidParameter;
using platform::kSuccess;
using store_test::Settings;

TEST(SettingsStoreBatch, ARestoreWithANameTheStoreCannotHoldWritesNothing) {
  auto store = MakeEmptyStoreForTest();
  ASSERT_EQ(store->SaveSetting("App", "Sec", "k", "old"), kSuccess);

  const std::vector<platform::SettingWrite> longValueName = {
      {"App", "Sec", "k", "new"},
      {"New", "Sec", "k", "v"},
      {"App", "Sec", std::string(16384, 'v'), "x"},
  };
  EXPECT_EQ(store->RestoreSettings(longValueName), kInvalidParameter);
  const std::vector<platform::SettingWrite> longKeyName = {
      {"App", "Sec", "k", "new"},
      {"New", "Sec", "k", "v"},
      {"App", "Parent\\" + std::string(256, 's'), "k", "v"},
  };
  EXPECT_EQ(store->RestoreSettings(longKeyName), kInvalidParameter);

  EXPECT_EQ(store_test::SubKeyNames(*store, platform::kSettingsRoot),
            std::vector<std::string>{"App"});
  EXPECT_EQ(store_test::SubKeyNames(*store, Settings("App")), std::vector<std::string>{"Sec"});
  EXPECT_EQ(store_test::Values(*store, Settings("App\\Sec")),
            (std::vector{store_test::StringValue("k", "old")}));
}

}  // namespace
