// Conformance: opening keys by path, and what SaveSetting, DeleteSetting and a restore
// do to the tree.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings_store_factory.h"
#include "settings_store_reading.h"

namespace {

using platform::kNotFound;
using platform::kSuccess;
using store_test::Open;
using store_test::Settings;
using store_test::StringValue;
using store_test::SubKeyNames;
using store_test::Values;
using Names = std::vector<std::string>;

class SettingsStorePaths : public ::testing::Test {
 protected:
  platform::Status OpenStatus(std::string_view path) {
    std::unique_ptr<platform::SettingsKey> key;
    return store_->OpenCurrentUserKey(path, key);
  }
  std::vector<store_test::ReadValue> ValuesAt(std::string_view below) {
    return Values(*store_, Settings(below));
  }

  std::unique_ptr<platform::SettingsStore> store_ = MakeEmptyStoreForTest();
};

TEST_F(SettingsStorePaths, AMissingKeyOrAnyMissingLevelIs2) {
  EXPECT_EQ(OpenStatus(platform::kSettingsRoot), kNotFound);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "key", "text"), kSuccess);
  EXPECT_EQ(OpenStatus(Settings("App\\Other")), kNotFound);
  EXPECT_EQ(OpenStatus(Settings("Missing\\Sec")), kNotFound);
  EXPECT_EQ(OpenStatus(Settings("App\\Sec\\key")), kNotFound);  // a value is not a key

  auto root = Open(*store_, platform::kSettingsRoot);

  ASSERT_NE(root, nullptr);
  std::unique_ptr<platform::SettingsKey> key;
  EXPECT_EQ(root->OpenSubKey("App\\Other", key), kNotFound);
  EXPECT_EQ(key, nullptr);
}

TEST_F(SettingsStorePaths, TrailingBackslashesAreAcceptedALeadingOneIs161) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "key", "text"), kSuccess);
  EXPECT_EQ(OpenStatus(Settings("App\\")), kSuccess);
  EXPECT_EQ(OpenStatus(Settings("App\\Sec\\\\")), kSuccess);
  EXPECT_EQ(OpenStatus("\\Software"), platform::kBadPathname);
  EXPECT_EQ(store_->CreateCurrentUserKey("\\Software\\X"), platform::kBadPathname);

  auto root = Open(*store_, platform::kSettingsRoot);

  ASSERT_NE(root, nullptr);
  std::unique_ptr<platform::SettingsKey> key;
  EXPECT_EQ(root->OpenSubKey("\\App", key), platform::kBadPathname);
  EXPECT_EQ(root->OpenSubKey("App\\", key), kSuccess);
}

TEST_F(SettingsStorePaths, AnEmptyPathOpensTheSameKeyAgain) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "key", "text"), kSuccess);
  auto section = Open(*store_, Settings("App\\Sec"));
  ASSERT_NE(section, nullptr);
  std::unique_ptr<platform::SettingsKey> again;
  ASSERT_EQ(section->OpenSubKey("", again), kSuccess);
  EXPECT_EQ(Values(*again), (std::vector{StringValue("key", "text")}));
}

TEST_F(SettingsStorePaths, KeysOpenedBelowAKeyAreRelativeToIt) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec\\Sub", "deep", "1"), kSuccess);
  auto root = Open(*store_, platform::kSettingsRoot);
  ASSERT_NE(root, nullptr);
  std::unique_ptr<platform::SettingsKey> sub;
  ASSERT_EQ(root->OpenSubKey("App\\Sec\\Sub", sub), kSuccess);
  EXPECT_EQ(Values(*sub), (std::vector{StringValue("deep", "1")}));
  std::unique_ptr<platform::SettingsKey> app;
  ASSERT_EQ(root->OpenSubKey("App", app), kSuccess);
  EXPECT_EQ(SubKeyNames(*app), (Names{"Sec"}));
}

TEST_F(SettingsStorePaths, SaveSettingCreatesEveryMissingLevel) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec\\Deeper\\Deepest", "key", "text"), kSuccess);
  EXPECT_EQ(SubKeyNames(*store_, platform::kSettingsRoot), (Names{"App"}));
  EXPECT_EQ(SubKeyNames(*store_, Settings("App")), (Names{"Sec"}));
  EXPECT_EQ(SubKeyNames(*store_, Settings("App\\Sec")), (Names{"Deeper"}));
  EXPECT_TRUE(ValuesAt("App\\Sec\\Deeper").empty());
  EXPECT_EQ(ValuesAt("App\\Sec\\Deeper\\Deepest"), (std::vector{StringValue("key", "text")}));
}

TEST_F(SettingsStorePaths, SaveSettingReplacesAValueOfAnyTypeWithAString) {
  ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), "key", platform::kTypeDword,
                                        std::string("\7\0\0\0", 4)),
            kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "key", "text"), kSuccess);
  EXPECT_EQ(ValuesAt("App\\Sec"), (std::vector{StringValue("key", "text")}));
}

TEST_F(SettingsStorePaths, SaveSettingWithAnEmptyKeyNameSetsTheUnnamedValue) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "", "default"), kSuccess);
  EXPECT_EQ(ValuesAt("App\\Sec"), (std::vector{StringValue("", "default")}));
}

TEST_F(SettingsStorePaths, SaveSettingRefusesAnEmptyApplicationOrSection) {
  EXPECT_EQ(store_->SaveSetting("", "Sec", "key", "text"), platform::kInvalidParameter);
  EXPECT_EQ(store_->SaveSetting("App", "", "key", "text"), platform::kInvalidParameter);
  EXPECT_EQ(OpenStatus(platform::kSettingsRoot), kNotFound);
}

TEST_F(SettingsStorePaths, DeleteSettingRemovesOneValueAndFailsWhenAnyPartIsMissing) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "gone", "1"), kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "kept", "2"), kSuccess);
  ASSERT_EQ(store_->DeleteSetting("App", "Sec", "gone"), kSuccess);
  EXPECT_EQ(ValuesAt("App\\Sec"), (std::vector{StringValue("kept", "2")}));

  EXPECT_EQ(store_->DeleteSetting("App", "Sec", "gone"), kNotFound);
  EXPECT_EQ(store_->DeleteSetting("App", "Other", "kept"), kNotFound);
  EXPECT_EQ(store_->DeleteSetting("Other", "Sec", "kept"), kNotFound);
  EXPECT_EQ(ValuesAt("App\\Sec"), (std::vector{StringValue("kept", "2")}));
}

TEST_F(SettingsStorePaths, DeletingTheLastValueKeepsTheKeys) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "only", "1"), kSuccess);
  ASSERT_EQ(store_->DeleteSetting("App", "Sec", "only"), kSuccess);
  EXPECT_TRUE(ValuesAt("App\\Sec").empty());
}

TEST_F(SettingsStorePaths, ARestoreSavesEveryWriteOverWhatWasThere) {
  ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), "n", platform::kTypeDword,
                                        std::string("\1\0\0\0", 4)),
            kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "untouched", "u"), kSuccess);
  const std::vector<platform::SettingWrite> writes = {
      {"App", "Sec", "n", "\x01"},
      {"New", "Section\\Sub", "k", "v"},
      {"App", "Sec", "n", "twice"},
  };
  ASSERT_EQ(store_->RestoreSettings(writes), kSuccess);
  std::vector<store_test::ReadValue> section = ValuesAt("App\\Sec");
  std::sort(section.begin(), section.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  EXPECT_EQ(section, (std::vector{StringValue("n", "twice"), StringValue("untouched", "u")}));
  EXPECT_EQ(ValuesAt("New\\Section\\Sub"), (std::vector{StringValue("k", "v")}));

  ASSERT_EQ(store_->RestoreSettings(writes), kSuccess);
  EXPECT_EQ(ValuesAt("New\\Section\\Sub"), (std::vector{StringValue("k", "v")}));
}

TEST_F(SettingsStorePaths, ARestoreReportsTheStatusOfTheFirstFailingSave) {
  const std::vector<platform::SettingWrite> writes = {
      {"App", "Sec", "k", "v"},
      {"App", "", "k", "v"},
  };
  EXPECT_EQ(store_->RestoreSettings(writes), platform::kInvalidParameter);
  EXPECT_EQ(store_->RestoreSettings({}), kSuccess);
}

}  // namespace
