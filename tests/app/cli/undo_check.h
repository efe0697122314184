#pragma once
// The store the undo tests restore into and take back: strings, a dword, binary data and
// Chinese names, in applications no one else uses (under Wine the store is the
// prefix's registry), and the whole of those applications as text, types and bytes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/settings_store.h"

namespace cli_tests {

inline constexpr const char* kUndoApplication = "RegTool undo test";
inline constexpr const char* kAddedApplication = "RegTool undo test 新增";

inline std::string UnderSettings(const std::string& utf8) {
  return std::string(platform::kSettingsRoot) + platform::Utf8ToAnsi(utf8);
}

inline void SeedUndoStore(platform::SettingsStore& store) {
  const std::string window = UnderSettings(std::string(kUndoApplication) + "\\視窗");
  struct Value {
    std::string name;
    std::uint32_t type;
    std::string bytes;
  };
  for (const Value& value : std::vector<Value>{
           {"Left", platform::kTypeString, std::string("120", 4)},
           {platform::Utf8ToAnsi("標題"), platform::kTypeString, platform::Utf8ToAnsi("舊的") + '\0'},
           {"Count", platform::kTypeDword, std::string("\x03\0\0\0", 4)},
           {"Blob", platform::kTypeBinary, std::string("\x00\xff\x10", 3)},
           {"Z", platform::kTypeString, std::string("z", 2)}}) {
    ASSERT_EQ(store.SetCurrentUserValue(window, value.name, value.type, value.bytes),
              platform::kSuccess);
  }
  ASSERT_EQ(store.SetCurrentUserValue(UnderSettings(std::string(kUndoApplication) + "\\其他"), "",
                                      platform::kTypeString, std::string("x", 2)),
            platform::kSuccess);
}

// Every key below `path` with its values in enumeration order, types and bytes in hex.
inline void DumpKey(platform::SettingsKey& key, const std::string& path, std::string& out) {
  out += "[" + path + "]\n";
  for (std::uint32_t index = 0;; ++index) {
    char name[1024];
    std::uint32_t nameLength = sizeof name, type = 0, size = 4096;
    unsigned char data[4096];
    if (key.EnumValue(index, name, &nameLength, &type, data, &size) != platform::kSuccess) break;
    out += std::string(name, nameLength) + " " + std::to_string(type) + ":";
    for (std::uint32_t i = 0; i < size; ++i) out += " " + std::to_string(data[i]);
    out += "\n";
  }
  for (std::uint32_t index = 0;; ++index) {
    char name[512];
    if (key.EnumKey(index, name, sizeof name) != platform::kSuccess) break;
    std::unique_ptr<platform::SettingsKey> subKey;
    if (key.OpenSubKey(name, subKey) != platform::kSuccess) break;
    DumpKey(*subKey, path + "\\" + name, out);
  }
}

inline std::string DumpUndoStore(platform::SettingsStore& store) {
  std::string out;
  for (const char* application : {kUndoApplication, kAddedApplication}) {
    std::unique_ptr<platform::SettingsKey> key;
    if (store.OpenCurrentUserKey(UnderSettings(application), key) == platform::kSuccess) {
      DumpKey(*key, application, out);
    } else {
      out += std::string("no ") + application + "\n";
    }
  }
  return out;
}

// Both applications gone, as they were before the test.
inline void RemoveUndoStore(platform::SettingsStore& store) {
  const std::string paths[] = {UnderSettings(kUndoApplication), UnderSettings(kAddedApplication)};
  std::vector<platform::RegChange> changes;
  for (const std::string& path : paths) {
    changes.push_back({platform::RegChange::Kind::kDeleteKey, path, {}, 0, {}});
  }
  EXPECT_EQ(store.ApplyChanges(changes), platform::kSuccess);
}

}  // namespace cli_tests
