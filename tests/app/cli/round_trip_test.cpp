// Save, diff, restore, diff on each backend's real store: a file the save wrote changes
// nothing, whatever the type of the values it holds, and what it cannot give back is
// named with the exit status that tells a script so.
#include <gtest/gtest.h>

#include "command_run.h"
#include "snapshot/value_read.h"

namespace cli_tests {
namespace {

using namespace std::string_literals;

// Under Wine the store is the prefix's own registry: settings no one else has.
constexpr const char* kApplication = "RegTool round trip test";

struct Stored {
  std::uint32_t type;
  std::string bytes;
  bool operator==(const Stored&) const = default;
};

class RoundTrip : public testing::Test {
 protected:
  static std::string KeyPath(const char* section) {
    return std::string(platform::kSettingsRoot) + kApplication + "\\" + section;
  }
  void Seed(const char* section, const char* name, const Stored& value) {
    ASSERT_EQ(sandbox_.store().SetCurrentUserValue(KeyPath(section), name, value.type, value.bytes),
              platform::kSuccess);
  }
  std::optional<Stored> Read(const char* section, const char* name) {
    std::unique_ptr<platform::SettingsKey> key;
    if (sandbox_.store().OpenCurrentUserKey(KeyPath(section), key) != platform::kSuccess) return {};
    bmRegistry::StoredValue value;
    for (std::uint32_t i = 0; bmRegistry::ReadValue(*key, i, value) == platform::kSuccess; ++i) {
      if (value.name == name) return Stored{value.type, value.bytes};
    }
    return {};
  }
  void TearDown() override {
    for (const char* section : {"Sec", "Plain", "Outer"}) {
      for (const char* name : {"Value", "Kept", "Own"}) {
        sandbox_.store().DeleteSetting(kApplication, section, name);
      }
    }
  }

  CommandSandbox sandbox_;
};

TEST_F(RoundTrip, ASavedFileChangesNothingOrTheSaveSaysWhyWithItsExitStatus) {
  const std::string app = kApplication;
  const Stored dword3{platform::kTypeDword, "\x03\0\0\0"s};
  struct Case {
    const char* what;
    Stored value;  // at Sec\Value; Outer\Own beside a sub-key when `subKey`
    bool subKey = false;
    int saveStatus = 0;
    // A setting the save's report names (the report is in the console's code page);
    // none: the round trip is exact.
    std::string warning = {};
    std::string edit = {};        // data the file is edited to after the save
    std::string changeReported = {};  // diff's line for the edit
  };
  const std::vector<Case> cases{
      {"dword", dword3},
      {"dword 0", {platform::kTypeDword, "\0\0\0\0"s}},
      {"binary", {platform::kTypeBinary, "A\0B\x01~"s}},
      {"NUL inside a string", {platform::kTypeString, "a\0b\0"s}},
      {"multi", {platform::kTypeMultiString, "one\0two\0\0"s}},
      {"edited dword", dword3, false, 0, "", "7",
       "~ " + app + "\\Sec\\Value: dword:00000003 -> \"7\"\n"},
      {"beside a sub-key", {platform::kTypeString, "x\0"s}, true, 0, app + "\\Outer\\Own"},
      // Exit 1: every restore of the file fails as a whole.
      {"multi-line string", {platform::kTypeString, "two\r\nlines\0"s}, false, 1,
       app + "\\Sec\\Value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    Seed("Plain", "Kept", {platform::kTypeString, "kept\0"s});
    if (c.subKey) {
      ASSERT_EQ(sandbox_.store().CreateCurrentUserKey(KeyPath("Outer") + "\\Sub"), platform::kSuccess);
      Seed("Outer", "Own", c.value);
    } else {
      Seed("Sec", "Value", c.value);
    }
    const std::string file = sandbox_.File(std::string(c.what) + ".txt");
    const CommandRun save = sandbox_.Run({"save", file});
    EXPECT_EQ(save.exitStatus, c.saveStatus) << save.err;
    if (!c.warning.empty()) {
      EXPECT_NE(save.err.find(c.warning), std::string::npos) << save.err;
      EXPECT_NE(testing_support::ReadBytes(file).find(app + ",Plain,Kept,kept\r\n"),
                std::string::npos);
      continue;
    }
    EXPECT_EQ(save.err, "");
    Stored expected = c.value;
    if (!c.edit.empty()) {
      std::string bytes = testing_support::ReadBytes(file);
      const std::string line = app + ",Sec,Value,";
      const std::size_t data = bytes.find(line) + line.size();
      bytes.replace(data, bytes.find("\r\n", data) - data, c.edit);
      testing_support::WriteBytes(file, bytes);
      const CommandRun diff = sandbox_.Run({"diff", file});
      EXPECT_EQ(diff.exitStatus, 1) << diff.err;
      EXPECT_EQ(diff.out, c.changeReported);
      expected = {platform::kTypeString, c.edit + '\0'};
    }
    const CommandRun restore = sandbox_.Run({"restore", file});
    EXPECT_EQ(restore.exitStatus, 0) << restore.err;
    EXPECT_EQ(Read("Sec", "Value"), expected);
    const CommandRun clean = sandbox_.Run({"diff", file});
    EXPECT_EQ(clean.exitStatus, 0) << clean.out;
    EXPECT_EQ(clean.out, "");
  }
}

}  // namespace
}  // namespace cli_tests
