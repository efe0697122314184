// Conformance: a store the size of a busy workstation's, written by one restore and
// read back whole.
#include <gtest/gtest.h>

#include <cstdio>

#include "settings_store_factory.h"
#include "settings_store_reading.h"

namespace {

using platform::kSuccess;

constexpr int kSections = 1000;
constexpr int kValuesPerSection = 100;

std::string Numbered(const char* prefix, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%04d", prefix, number);
  return text;
}

TEST(SettingsStoreLarge, AHundredThousandValuesAreWrittenAndReadBackInOrder) {
  auto store = MakeEmptyStoreForTest();
  std::vector<platform::SettingWrite> writes;
  writes.reserve(kSections * kValuesPerSection);
  // Sections are written from the last to the first, so that only the store can have
  // put them in order; values in their own order, which is also their sorted order.
  for (int section = kSections - 1; section >= 0; --section) {
    for (int value = 0; value < kValuesPerSection; ++value) {
      writes.push_back({"Big", Numbered("Section", section), Numbered("Key", value),
                        Numbered("text of ", section * kValuesPerSection + value)});
    }
  }
  ASSERT_EQ(store->RestoreSettings(writes), kSuccess);

  auto big = store_test::Open(*store, store_test::Settings("Big"));
  ASSERT_NE(big, nullptr);
  const std::vector<std::string> sections = store_test::SubKeyNames(*big);
  ASSERT_EQ(sections.size(), static_cast<std::size_t>(kSections));
  std::size_t total = 0;
  for (int section = 0; section < kSections; ++section) {
    ASSERT_EQ(sections[section], Numbered("Section", section));
    std::unique_ptr<platform::SettingsKey> key;
    ASSERT_EQ(big->OpenSubKey(sections[section], key), kSuccess);
    const auto values = store_test::Values(*key);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kValuesPerSection));
    for (int value = 0; value < kValuesPerSection; ++value) {
      ASSERT_EQ(values[value],
                store_test::StringValue(Numbered("Key", value),
                                        Numbered("text of ", section * kValuesPerSection + value)));
    }
    total += values.size();
  }
  EXPECT_EQ(total, static_cast<std::size_t>(kSections * kValuesPerSection));
}

}  // namespace
