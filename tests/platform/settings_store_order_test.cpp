// Conformance: the order in which keys and values enumerate, and how names match.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ansi_codepage.h"
#include "platform/system_info.h"
#include "settings_store_factory.h"
#include "settings_store_reading.h"
#include "support/big5_locale.h"

namespace {

using platform::kSuccess;
using store_test::Settings;
using store_test::SubKeyNames;
using store_test::ValueNames;
using store_test::Values;
using Names = std::vector<std::string>;

constexpr const char* kWineSortsNames =
    "Wine orders names by their lower-cased form, Windows by their upper-cased form";
constexpr const char* kWineSortsValues =
    "Wine keeps values sorted by name, Windows in the order they were created";

class SettingsStoreOrder : public ::testing::Test {
 protected:
  void CreateKeys(const Names& names) {
    for (const std::string& name : names) {
      ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\" + name)), kSuccess) << name;
    }
  }
  Names SubKeysOfApp() { return SubKeyNames(*store_, Settings("App")); }

  void SetStrings(const Names& names) {
    for (const std::string& name : names) {
      ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), name, platform::kTypeString,
                                            std::string_view("x", 2)),
                kSuccess)
          << name;
    }
  }
  Names ValuesOfSection() { return ValueNames(*store_, Settings("App\\Sec")); }

  std::unique_ptr<platform::SettingsStore> store_ = MakeEmptyStoreForTest();
};

TEST_F(SettingsStoreOrder, SubKeysOfLettersAndDigitsEnumerateIgnoringCase) {
  CreateKeys({"zz", "b", "AB2", "Eb", "10", "a", "Z", "ab", "9"});
  EXPECT_EQ(SubKeysOfApp(), (Names{"10", "9", "a", "ab", "AB2", "b", "Eb", "Z", "zz"}));
}

TEST_F(SettingsStoreOrder, SubKeysEnumerateByTheirUpperCasedBytes) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineSortsNames;
  // "[ \ ] ^ _ `" lie between the upper-case and the lower-case letters, so they come
  // after every letter once names are upper-cased.
  CreateKeys({"a_b", "`bq", "AB2", "^c", "ab", "]x", "[br", "Z", "{c", "_x", "@at", "~t"});
  EXPECT_EQ(SubKeysOfApp(),
            (Names{"@at", "ab", "AB2", "a_b", "Z", "[br", "]x", "^c", "_x", "`bq", "{c", "~t"}));
}

TEST_F(SettingsStoreOrder, KeyNamesMatchIgnoringCaseAndKeepTheirFirstSpelling) {
  CreateKeys({"MixedCase"});
  CreateKeys({"MIXEDCASE", "mixedcase"});
  EXPECT_EQ(SubKeysOfApp(), (Names{"MixedCase"}));
  std::unique_ptr<platform::SettingsKey> key;
  EXPECT_EQ(store_->OpenCurrentUserKey(Settings("APP\\mixedCASE"), key), kSuccess);
  EXPECT_EQ(store_->OpenCurrentUserKey("SOFTWARE\\vb AND vba program SETTINGS\\app", key),
            kSuccess);
}

TEST_F(SettingsStoreOrder, DoubleByteNamesAreNeverCutOrFoldedInsideACharacter) {
  if (!testing_support::UnderBig5Locale()) return;
  if (platform::CharacterLength("\xB3\x5C", 0) != 2) {
    GTEST_SKIP() << "the ANSI code page has no double-byte characters";
  }
  // In code page 950 "\xB3\x5C" is one character whose trail byte is "\", and
  // "\xA4\x61" and "\xA4\x41" are two characters whose trail bytes look like "a" and "A".
  CreateKeys({"\xB3\x5C", "\xA4\x61", "\xA4\x41"});
  Names names = SubKeysOfApp();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"\xA4\x41", "\xA4\x61", "\xB3\x5C"}));
}

TEST_F(SettingsStoreOrder, ValueNamesMatchIgnoringCaseAndKeepTheirFirstSpelling) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "ValName", "old"), kSuccess);
  ASSERT_EQ(store_->SaveSetting("APP", "SEC", "VALNAME", "new"), kSuccess);
  EXPECT_EQ(Values(*store_, Settings("App\\Sec")),
            (std::vector{store_test::StringValue("ValName", "new")}));
  ASSERT_EQ(store_->DeleteSetting("app", "sec", "valname"), kSuccess);
  EXPECT_TRUE(Values(*store_, Settings("App\\Sec")).empty());
}

TEST_F(SettingsStoreOrder, ValuesEnumerateInTheOrderTheyWereCreated) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineSortsValues;
  SetStrings({"zeta", "Alpha", "mid", "_u", "beta", ""});
  EXPECT_EQ(ValuesOfSection(), (Names{"zeta", "Alpha", "mid", "_u", "beta", ""}));
}

TEST_F(SettingsStoreOrder, OverwritingAValueKeepsItsPlaceAndRecreatingItMovesItLast) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineSortsValues;
  SetStrings({"c", "a", "b"});
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "C", "overwritten"), kSuccess);
  ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), "a", platform::kTypeDword,
                                        std::string("\1\0\0\0", 4)),
            kSuccess);
  EXPECT_EQ(ValuesOfSection(), (Names{"c", "a", "b"}));

  ASSERT_EQ(store_->DeleteSetting("App", "Sec", "c"), kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "C", "again"), kSuccess);
  EXPECT_EQ(ValuesOfSection(), (Names{"a", "b", "C"}));
}

TEST_F(SettingsStoreOrder, ARestoreMovesTheSettingsItWritesLastInItsOrder) {
  if (platform::RunningUnderWine()) GTEST_SKIP() << kWineSortsValues;
  SetStrings({"a", "b", "c", "d"});
  const std::vector<platform::SettingWrite> writes = {{"App", "Sec", "c", "3"},
                                                      {"App", "Sec", "A", "1"}};
  ASSERT_EQ(store_->RestoreSettings(writes), kSuccess);
  EXPECT_EQ(ValuesOfSection(), (Names{"b", "d", "c", "A"}));
}

}  // namespace
