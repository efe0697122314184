#include "seeded_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace testing_support {
namespace {

using platform::kTypeBinary;
using platform::kTypeDword;
using platform::kTypeExpandString;
using platform::kTypeMultiString;
using platform::kTypeString;

std::string Text(std::string_view text) {
  return std::string(text) + '\0';
}

class Seeder {
 public:
  explicit Seeder(platform::SettingsStore& store) : store_(store) {}

  // `below` is a key path inside the settings root ("" = the root itself).
  void Key(std::string_view below) {
    EXPECT_EQ(store_.CreateCurrentUserKey(Path(below)), platform::kSuccess) << below;
  }
  void Value(std::string_view below, std::string_view name, std::uint32_t type,
             std::string_view bytes) {
    Key(below);
    EXPECT_EQ(store_.SetCurrentUserValue(Path(below), name, type, bytes), platform::kSuccess)
        << below << " " << name;
  }

 private:
  static std::string Path(std::string_view below) {
    std::string path(platform::kSettingsRoot);
    if (below.empty()) path.pop_back();  // the root without its trailing "\"
    return path + std::string(below);
  }

  platform::SettingsStore& store_;
};

}  // namespace

void SeedSettings(platform::SettingsStore& store) {
  Seeder seed(store);
  // The walk skips the values of a key that has sub-keys, the root's included.
  seed.Value("", "Skipped in the root", kTypeString, Text("x"));
  seed.Value("Alpha", "Skipped beside sections", kTypeString, Text("x"));

  seed.Value("Alpha\\General", "", kTypeString, Text("default text"));
  seed.Value("Alpha\\General", "Binary", kTypeBinary, std::string("A\0B\x01~", 5));
  seed.Value("Alpha\\General", "Dword", kTypeDword, "1234");
  seed.Value("Alpha\\General", "Expand", kTypeExpandString, Text("%TEMP%\\logs"));
  seed.Value("Alpha\\General", "Multi", kTypeMultiString, std::string("one\0two\0\0", 9));
  seed.Value("Alpha\\General", "Text", kTypeString, Text("C:\\VODureza\\VODureza.ini"));

  seed.Value("Alpha\\Names", "a,b", kTypeString, Text("comma"));
  seed.Value("Alpha\\Names", "a\\b", kTypeString, Text("backslash"));
  seed.Value("Alpha\\Names", "a|b", kTypeString, Text("bar"));
  seed.Value("Alpha\\Names", "z", kTypeString, Text("x,y|z"));

  seed.Value("Alpha\\Outer", "Skipped beside Inner", kTypeString, Text("x"));
  seed.Value("Alpha\\Outer\\Inner", "Deep", kTypeString, Text("5 fields"));

  seed.Value("Beta|Two\\Sec", "k", kTypeString, Text("v"));
  seed.Key("Zeta\\Empty");
  seed.Value("Zeta\\S", "k", kTypeString, Text(""));
}

SettingRows GeneralRecordsThen(const SettingRows& rest) {
  SettingRows records{
      {"Alpha", "General", "", "default text"},
      {"Alpha", "General", "Binary", "AB\x01~"},
      {"Alpha", "General", "Dword", "1234"},
      {"Alpha", "General", "Expand", "%TEMP%\\logs"},
      {"Alpha", "General", "Multi", "onetwo"},
      {"Alpha", "General", "Text", "C:\\VODureza\\VODureza.ini"},
  };
  records.insert(records.end(), rest.begin(), rest.end());
  return records;
}

const SettingRows& SeededRecords() {
  static const SettingRows records = GeneralRecordsThen({
      {"Alpha", "Names", "a,b", "comma"},
      {"Alpha", "Names", "a", "b", "backslash"},
      {"Alpha", "Names", "a", "b", "bar"},
      {"Alpha", "Names", "z", "x,y", "z"},
      {"Alpha", "Outer", "Inner", "Deep", "5 fields"},
      {"Beta", "Two", "Sec", "k", "v"},
      {"Zeta", "S", "k", ""},
  });
  return records;
}

const SettingRows& RestoredRecords() {
  static const SettingRows records = GeneralRecordsThen({
      {"Alpha", "Names", "a", "b,bar"},
      {"Alpha", "Names", "z", "x,y,z"},
      {"Alpha", "Outer", "Inner", "Deep,5 fields"},
      {"Beta", "Two", "Sec", "k,v"},
      {"Zeta", "S", "k", ""},
  });
  return records;
}

}  // namespace testing_support
