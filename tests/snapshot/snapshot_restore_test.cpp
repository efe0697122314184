// Restoring a snapshot file into the store.
#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class Restore : public SnapshotTest {
 protected:
  std::string snapshot = dir.file("Reg_PC.TXT");
};

TEST_F(Restore, PutsBackExactlyWhatWasSavedAndCreatesWhatIsMissing) {
  Save("App", "Sec", "k1", "one");
  Save("App", "Sec", "k2", "");
  Save("App", "Other", "k3", "three");
  Save("Tool", "Main", "k4", "a\nb");  // a lone line break inside the data
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  const Rows saved = Records();

  Save("App", "Sec", "k1", "changed");
  ASSERT_EQ(store->DeleteSetting("App", "Other", "k3"), platform::kSuccess);
  ASSERT_EQ(store->DeleteSetting("Tool", "Main", "k4"), platform::kSuccess);
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  // A value the restore changes is deleted and saved again, so it moves to the end of
  // its key; the values it leaves as they are keep their place.
  Rows restored = Records();
  Rows expected = saved;
  std::sort(restored.begin(), restored.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(restored, expected);
  EXPECT_TRUE(ui.boxes().empty());

  // Into a store without any settings: everything is created.
  testing_support::TempDir other;
  store = FreshSettingsStore(other);
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), saved);
  store.reset();
}

TEST_F(Restore, TwiceLeavesTheStoreAsOnce) {
  WriteBytes(snapshot, "App,Sec,k1,one\r\nApp,Sec,k2,two\r\n");
  Save("App", "Sec", "earlier", "stays");  // named to list first under Wine too
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  const Rows once = Records();
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), once);
  EXPECT_EQ(once, (Rows{{"App", "Sec", "earlier", "stays"},
                        {"App", "Sec", "k1", "one"},
                        {"App", "Sec", "k2", "two"}}));
}

TEST_F(Restore, TheDataIsEverythingAfterTheThirdComma) {
  Save("App", "Sec", "list", "a,b,,c");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  ASSERT_EQ(ReadBytes(snapshot), "App,Sec,list,a,b,,c\r\n");
  Save("App", "Sec", "list", "lost");
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), (Rows{{"App", "Sec", "list", "a,b,,c"}}));
}

TEST_F(Restore, ALastLineWithoutLineEndIsRestored) {
  WriteBytes(snapshot, "App,Sec,k1,one\r\nApp,Sec,k2,two");
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), (Rows{{"App", "Sec", "k1", "one"}, {"App", "Sec", "k2", "two"}}));
}

// The comparison says what the restore would do, and the store matches key paths and
// value names ignoring case: two spellings of one setting are one setting, whose last
// data counts, named as the file first spells it.
TEST_F(Restore, TheComparisonTakesTwoSpellingsOfOneSettingAsOne) {
  Save("App", "Sec", "K", "2");
  const std::pair<const char*, std::vector<std::string>> filesAndChanges[] = {
      {"App,Sec,K,1\r\nAPP,SEC,K,2\r\n", {}},
      {"App,Sec,K,1\r\nApp,Sec,k,2\r\n", {}},
      {"app,sec,k,3\r\nAPP,SEC,K,1\r\n", {"app\\sec\\k: 2 -> 1"}},
  };
  for (const auto& [bytes, expected] : filesAndChanges) {
    WriteBytes(snapshot, bytes);
    const auto changes = bmRegistry::CompareWithStore(snapshot, *store);
    ASSERT_TRUE(changes) << bytes;
    std::vector<std::string> shown;
    for (const bmRegistry::SettingChange& change : *changes) {
      shown.push_back(change.path + ": " + change.oldData.value_or("(none)") + " -> " +
                      change.newData);
    }
    EXPECT_EQ(shown, expected) << bytes;
  }
}

struct BadFile {
  const char* name;
  const char* bytes;
  const char* line;
};
void PrintTo(const BadFile& file, std::ostream* out) {
  *out << file.name;
}

class BadLines : public Restore, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadLines, FailTheWholeRestoreBeforeAnythingChanges) {
  Save("App", "Sec", "k1", "before");
  const Rows before = Records();
  WriteBytes(snapshot, GetParam().bytes);
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(), before);
  ASSERT_EQ(ui.boxes().size(), 1u);
  const std::string& report = ui.boxes()[0].text;
  EXPECT_EQ(report.rfind("處理程序: (bmRegistry_LoadRegistry)\r\n", 0), 0u) << report;
  EXPECT_NE(report.find(GetParam().line), std::string::npos) << report;
  EXPECT_EQ(ui.boxes()[0].icon, common::Icon::kExclamation);
}

INSTANTIATE_TEST_SUITE_P(
    Restore, BadLines,
    ::testing::Values(BadFile{"ThreeFields", "App,Sec,k1,after\r\nApp,k2,v\r\n", "Line 2 "},
                      BadFile{"EmptyLineInTheMiddle", "App,Sec,k1,after\r\n\r\nApp,Sec,k2,v\r\n",
                              "Line 2 "},
                      BadFile{"OneField", "App,Sec,k1,after\r\nApp,Sec,k2,v\r\nnothing", "Line 3 "},
                      BadFile{"NoApplication", ",Sec,k1,after\r\n", "Line 1 "},
                      BadFile{"NoSection", "App,,k1,after\r\n", "Line 1 "}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(Restore, AMissingFileIsNamedInABoxAndChangesNothing) {
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistry(dir.file("none.txt"), *store));
  EXPECT_EQ(ui.boxes()[0].text, "File Not Found:" + dir.file("none.txt"));
  EXPECT_TRUE(Records().empty());
}

}  // namespace
}  // namespace snapshot_tests
