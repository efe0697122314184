// Conformance: typed values read back byte for byte, the buffer protocol of the
// enumeration calls, and the limits on names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/system_info.h"
#include "settings_store_factory.h"
#include "settings_store_reading.h"

namespace {

using platform::kMoreData;
using platform::kNoMoreItems;
using platform::kSuccess;
using store_test::Open;
using store_test::ReadValue;
using store_test::Settings;
using store_test::StringValue;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class SettingsStoreValues : public ::testing::Test {
 protected:
  void Set(std::string_view name, std::uint32_t type, std::string_view bytes) {
    ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), name, type, bytes), kSuccess)
        << name;
  }
  std::unique_ptr<platform::SettingsKey> Section() { return Open(*store_, Settings("App\\Sec")); }

  // The one value of the section, which the buffer tests read in pieces.
  std::unique_ptr<platform::SettingsKey> SectionWithHello() {
    EXPECT_EQ(store_->SaveSetting("App", "Sec", "greeting", "hello"), kSuccess);
    return Section();
  }

  std::unique_ptr<platform::SettingsStore> store_ = MakeEmptyStoreForTest();
};

TEST_F(SettingsStoreValues, EveryTypeReadsBackWithItsExactBytes) {
  std::vector<ReadValue> expected = {
      {"dword one", platform::kTypeDword, Bytes({1, 0, 0, 0})},
      {"qword", platform::kTypeQword, Bytes({8, 7, 6, 5, 4, 3, 2, 1})},
      {"multi", platform::kTypeMultiString, std::string("one\0two\0\0", 9)},
      {"binary", platform::kTypeBinary, Bytes({0, 0xFF, 0x0D, 0x0A, 0x5C, 0x22, 0})},
      {"expandable", platform::kTypeExpandString, std::string("%TEMP%\\x\0", 9)},
      {"empty binary", platform::kTypeBinary, ""},
      {"empty string", platform::kTypeString, ""},
      {"no terminator", platform::kTypeString, "abc"},
      {"inner NUL", platform::kTypeString, std::string("ab\0cd\0", 6)},
      {"none", platform::kTypeNone, Bytes({0x42})},
      {"odd type", 0x12345, Bytes({9})},
      {"", platform::kTypeString, std::string("default\0", 8)},
  };
  for (const ReadValue& value : expected) Set(value.name, value.type, value.data);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "line breaks", "one\r\ntwo\rthree\n"), kSuccess);
  // High bytes that are whole characters in code page 950 (a "\" trail byte included)
  // and in the single-byte code pages alike.
  const std::string highBytes = "\xA4\xA4\xB3\x5C";
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "quotes \\ \"", "C:\\dir\\ \"q\" " + highBytes),
            kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "blank", ""), kSuccess);
  expected.push_back(StringValue("line breaks", "one\r\ntwo\rthree\n"));
  expected.push_back(StringValue("quotes \\ \"", "C:\\dir\\ \"q\" " + highBytes));
  expected.push_back(StringValue("blank", ""));

  std::vector<ReadValue> read = store_test::Values(*store_, Settings("App\\Sec"));
  // Wine lists values in another order; what matters here is what each one holds.
  const auto byName = [](const ReadValue& a, const ReadValue& b) { return a.name < b.name; };
  std::sort(read.begin(), read.end(), byName);
  std::sort(expected.begin(), expected.end(), byName);
  EXPECT_EQ(read, expected);
}

TEST_F(SettingsStoreValues, ASizeQueryWithoutABufferSucceedsWithTheNameAndTheSize) {
  auto key = SectionWithHello();
  ASSERT_NE(key, nullptr);
  char name[256] = {};
  std::uint32_t nameLength = sizeof name;
  std::uint32_t type = 0;
  std::uint32_t size = 999;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, &type, nullptr, &size), kSuccess);
  EXPECT_STREQ(name, "greeting");
  EXPECT_EQ(nameLength, 8u);
  EXPECT_EQ(type, platform::kTypeString);
  EXPECT_EQ(size, 6u);  // "hello" and its NUL
}

TEST_F(SettingsStoreValues, ADataBufferTooSmallGives234AndTheSizeNeeded) {
  auto key = SectionWithHello();
  ASSERT_NE(key, nullptr);
  char name[256] = {};
  std::uint32_t nameLength = sizeof name;
  unsigned char data[8];
  std::memset(data, '#', sizeof data);
  std::uint32_t size = 5;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, data, &size), kMoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(nameLength, sizeof name);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), sizeof data), std::string(8, '#'));

  size = 6;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, data, &size), kSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 6), std::string("hello\0", 6));
}

// The read that follows a size query, as the walk makes it, answers exactly as a read
// on its own would: the buffers the caller gives decide, and the index it names.
TEST_F(SettingsStoreValues, AReadAfterASizeQueryKeepsTheBufferRules) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "greeting", "hello"), kSuccess);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "second", "world!"), kSuccess);
  auto key = Section();
  ASSERT_NE(key, nullptr);
  char name[256] = {};
  std::uint32_t nameLength = sizeof name;
  std::uint32_t size = 0;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kSuccess);
  ASSERT_EQ(size, 6u);

  unsigned char data[16];
  std::memset(data, '#', sizeof data);
  size = 5;
  nameLength = sizeof name;
  EXPECT_EQ(key->EnumValue(0, name, &nameLength, nullptr, data, &size), kMoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(nameLength, sizeof name);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), sizeof data), std::string(16, '#'));

  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kSuccess);
  nameLength = 8;  // "greeting" without room for its NUL
  size = sizeof data;
  EXPECT_EQ(key->EnumValue(0, name, &nameLength, nullptr, data, &size), kMoreData);
  EXPECT_EQ(nameLength, 8u);

  // A size query of one value, then the read of another.
  nameLength = sizeof name;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kSuccess);
  nameLength = sizeof name;
  size = sizeof data;
  std::uint32_t type = 0;
  ASSERT_EQ(key->EnumValue(1, name, &nameLength, &type, data, &size), kSuccess);
  EXPECT_EQ(std::string(name, nameLength), "second");
  EXPECT_EQ(type, platform::kTypeString);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("world!\0", 7));

  // The same value read twice after its size query.
  nameLength = sizeof name;
  ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kSuccess);
  for (int read = 0; read < 2; ++read) {
    nameLength = sizeof name;
    size = sizeof data;
    ASSERT_EQ(key->EnumValue(0, name, &nameLength, nullptr, data, &size), kSuccess) << read;
    EXPECT_EQ(std::string(name, nameLength), "greeting");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("hello\0", 6));
  }
}

TEST_F(SettingsStoreValues, ANameBufferWithoutRoomForTheNulGives234) {
  auto key = SectionWithHello();
  ASSERT_NE(key, nullptr);
  char name[9];
  std::uint32_t nameLength = 8;  // "greeting" needs 9 with its NUL
  std::uint32_t size = 0;
  EXPECT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kMoreData);
  EXPECT_EQ(nameLength, 8u);
  nameLength = 9;
  EXPECT_EQ(key->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kSuccess);
  EXPECT_EQ(nameLength, 8u);
}

TEST_F(SettingsStoreValues, EnumerationEndsWith259) {
  auto key = SectionWithHello();
  ASSERT_NE(key, nullptr);
  char name[256];
  std::uint32_t nameLength = sizeof name;
  std::uint32_t size = 0;
  EXPECT_EQ(key->EnumValue(1, name, &nameLength, nullptr, nullptr, &size), kNoMoreItems);
  EXPECT_EQ(key->EnumKey(0, name, sizeof name), kNoMoreItems);

  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("Empty")), kSuccess);
  auto empty = Open(*store_, Settings("Empty"));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->EnumValue(0, name, &nameLength, nullptr, nullptr, &size), kNoMoreItems);
}

TEST_F(SettingsStoreValues, ASubKeyNameBufferWithoutRoomForTheNulGives234AndStaysUntouched) {
  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\Section")), kSuccess);
  auto app = Open(*store_, Settings("App"));
  ASSERT_NE(app, nullptr);
  char name[8];
  std::memset(name, '#', sizeof name);
  EXPECT_EQ(app->EnumKey(0, name, 7), kMoreData);
  EXPECT_EQ(std::string(name, sizeof name), std::string(8, '#'));
  EXPECT_EQ(app->EnumKey(0, name, 8), kSuccess);
  EXPECT_STREQ(name, "Section");
}

TEST_F(SettingsStoreValues, KeyNamesOf255BytesAreKeptAndLongerOnesRefused) {
  if (platform::RunningUnderWine()) {
    GTEST_SKIP() << "Wine's 8-bit registry calls refuse a path of more than 260 characters "
                    "(234), and it accepts a key name of 256 where Windows' limit is 255";
  }
  const std::string longest(255, 'k');
  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\" + longest)), kSuccess);
  EXPECT_EQ(store_test::SubKeyNames(*store_, Settings("App")), (std::vector<std::string>{longest}));
  EXPECT_EQ(store_->CreateCurrentUserKey(Settings("App\\" + longest + "k")),
            platform::kInvalidParameter);
  EXPECT_EQ(store_->SaveSetting("App", longest + "k", "key", "text"), platform::kInvalidParameter);
  EXPECT_EQ(store_test::SubKeyNames(*store_, Settings("App")).size(), 1u);
}

TEST_F(SettingsStoreValues, ValueNamesOf16383BytesAreKeptAndLongerOnesRefused) {
  const std::string longest(16383, 'v');
  ASSERT_EQ(store_->SaveSetting("App", "Sec", longest, "text"), kSuccess);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")),
            (std::vector{StringValue(longest, "text")}));
  EXPECT_EQ(store_->SaveSetting("App", "Sec", longest + "v", "text"), platform::kInvalidParameter);
  EXPECT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), longest + "v", platform::kTypeDword,
                                        Bytes({1, 0, 0, 0})),
            platform::kInvalidParameter);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")).size(), 1u);
}

}  // namespace
