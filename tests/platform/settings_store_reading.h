#pragma once
// Reading a settings store through its interface only, as the tree walk does, for the
// conformance suite. Failures inside are reported as gtest failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace store_test {

struct ReadValue {
  std::string name;
  std::uint32_t type = 0;
  std::string data;
  bool operator==(const ReadValue&) const = default;
};

inline void PrintTo(const ReadValue& value, std::ostream* out) {
  *out << '"' << value.name << "\" type " << value.type << " data";
  for (const char c : value.data) *out << ' ' << static_cast<int>(static_cast<unsigned char>(c));
}

// A path below the settings root.
inline std::string Settings(std::string_view below) {
  return std::string(platform::kSettingsRoot) + std::string(below);
}

// The key at `path` below HKEY_CURRENT_USER; null (and a test failure) when it cannot
// be opened.
inline std::unique_ptr<platform::SettingsKey> Open(platform::SettingsStore& store,
                                                   std::string_view path) {
  std::unique_ptr<platform::SettingsKey> key;
  const platform::Status status = store.OpenCurrentUserKey(path, key);
  EXPECT_EQ(status, platform::kSuccess) << "opening " << path;
  return key;
}

// Sub-key names by ascending index until the store says there are no more.
inline std::vector<std::string> SubKeyNames(platform::SettingsKey& key) {
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    char name[256];
    const platform::Status status = key.EnumKey(index, name, sizeof name);
    if (status != platform::kSuccess) {
      EXPECT_EQ(status, platform::kNoMoreItems) << "at sub-key index " << index;
      return names;
    }
    names.emplace_back(name);
  }
}

// Values by ascending index, each read as the walk reads it: the size first, then the
// data into a buffer of exactly that size.
inline std::vector<ReadValue> Values(platform::SettingsKey& key) {
  std::vector<ReadValue> values;
  std::vector<char> name(16384);  // the longest value name and its NUL
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameLength = static_cast<std::uint32_t>(name.size());
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    platform::Status status = key.EnumValue(index, name.data(), &nameLength, &type, nullptr, &size);
    if (status != platform::kSuccess) {
      EXPECT_EQ(status, platform::kNoMoreItems) << "at value index " << index;
      return values;
    }
    std::string data(size, '\0');
    nameLength = static_cast<std::uint32_t>(name.size());
    status = key.EnumValue(index, name.data(), &nameLength, &type,
                           reinterpret_cast<unsigned char*>(data.data()), &size);
    EXPECT_EQ(status, platform::kSuccess) << "reading value index " << index;
    EXPECT_EQ(size, data.size());
    values.push_back(ReadValue{std::string(name.data(), nameLength), type, data});
  }
}

inline std::vector<std::string> ValueNames(platform::SettingsKey& key) {
  std::vector<std::string> names;
  for (const ReadValue& value : Values(key)) names.push_back(value.name);
  return names;
}

// The same, of the key at `path` below HKEY_CURRENT_USER: nothing (and a test failure)
// when it cannot be opened, so a broken store fails the test instead of ending the program.
inline std::vector<std::string> SubKeyNames(platform::SettingsStore& store, std::string_view path) {
  const auto key = Open(store, path);
  return key ? SubKeyNames(*key) : std::vector<std::string>{};
}
inline std::vector<ReadValue> Values(platform::SettingsStore& store, std::string_view path) {
  const auto key = Open(store, path);
  return key ? Values(*key) : std::vector<ReadValue>{};
}
inline std::vector<std::string> ValueNames(platform::SettingsStore& store, std::string_view path) {
  const auto key = Open(store, path);
  return key ? ValueNames(*key) : std::vector<std::string>{};
}

// A string value as SaveSetting stores it: the text and its NUL.
inline ReadValue StringValue(std::string_view name, std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  return ReadValue{std::string(name), platform::kTypeString, data};
}

}  // namespace store_test
