// One seed, written into the store of each platform (the registry itself on Windows),
// walked, saved, restored and saved again: every run must produce the records below and
// the checked-in snapshot files byte for byte. The names are chosen so that Wine, which
// keeps names sorted, lists them as Windows does: sub-keys sort alike under both rules,
// and values are created in the order Wine sorts them.
#include <filesystem>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using platform::kTypeBinary;
using platform::kTypeDword;
using platform::kTypeExpandString;
using platform::kTypeMultiString;
using platform::kTypeString;
using testing_support::ReadBytes;

std::string DataFile(std::string_view name) {
  return (std::filesystem::path(REGTOOL_TEST_DATA_DIR) / "snapshot" / name).string();
}

std::string Text(std::string_view text) { return std::string(text) + '\0'; }

class RegistryRoundTrip : public SnapshotTest {
 protected:
  void Seed() {
    // The walk skips the values of a key that has sub-keys, the root's included.
    SetValue("", "Skipped in the root", kTypeString, Text("x"));
    SetValue("Alpha", "Skipped beside sections", kTypeString, Text("x"));

    SetValue("Alpha\\General", "", kTypeString, Text("default text"));
    SetValue("Alpha\\General", "Binary", kTypeBinary, std::string("A\0B\x01~", 5));
    SetValue("Alpha\\General", "Dword", kTypeDword, "1234");
    SetValue("Alpha\\General", "Expand", kTypeExpandString, Text("%TEMP%\\logs"));
    SetValue("Alpha\\General", "Multi", kTypeMultiString, std::string("one\0two\0\0", 9));
    SetValue("Alpha\\General", "Text", kTypeString, Text("C:\\VODureza\\VODureza.ini"));

    SetValue("Alpha\\Names", "a,b", kTypeString, Text("comma"));
    SetValue("Alpha\\Names", "a\\b", kTypeString, Text("backslash"));
    SetValue("Alpha\\Names", "a|b", kTypeString, Text("bar"));
    SetValue("Alpha\\Names", "z", kTypeString, Text("x,y|z"));

    SetValue("Alpha\\Outer", "Skipped beside Inner", kTypeString, Text("x"));
    SetValue("Alpha\\Outer\\Inner", "Deep", kTypeString, Text("5 fields"));

    SetValue("Beta|Two\\Sec", "k", kTypeString, Text("v"));
    ASSERT_EQ(store->CreateCurrentUserKey(UnderRoot("Zeta\\Empty")), platform::kSuccess);
    SetValue("Zeta\\S", "k", kTypeString, Text(""));
  }

  std::string snapshot = dir.file("Reg_PC.TXT");
};

TEST_F(RegistryRoundTrip, TheWalkGivesTheSameRecordsAndTheSameSnapshotFile) {
  Seed();
  EXPECT_EQ(Records(), (Rows{
                           {"Alpha", "General", "", "default text"},
                           {"Alpha", "General", "Binary", "AB\x01~"},
                           {"Alpha", "General", "Dword", "1234"},
                           {"Alpha", "General", "Expand", "%TEMP%\\logs"},
                           {"Alpha", "General", "Multi", "onetwo"},
                           {"Alpha", "General", "Text", "C:\\VODureza\\VODureza.ini"},
                           {"Alpha", "Names", "a,b", "comma"},
                           {"Alpha", "Names", "a", "b", "backslash"},
                           {"Alpha", "Names", "a", "b", "bar"},
                           {"Alpha", "Names", "z", "x,y", "z"},
                           {"Alpha", "Outer", "Inner", "Deep", "5 fields"},
                           {"Beta", "Two", "Sec", "k", "v"},
                           {"Zeta", "S", "k", ""},
                       }));
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("seeded.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryRoundTrip, RestoringTheSnapshotGivesTheSameStoreAndTheSameSnapshotFile) {
  // Every setting comes back as a string; a comma or bar in a name moved the fields, and
  // the data is everything after the third comma.
  ASSERT_TRUE(bmRegistry::LoadRegistry(DataFile("seeded.txt"), *store));
  EXPECT_EQ(Records(), (Rows{
                           {"Alpha", "General", "", "default text"},
                           {"Alpha", "General", "Binary", "AB\x01~"},
                           {"Alpha", "General", "Dword", "1234"},
                           {"Alpha", "General", "Expand", "%TEMP%\\logs"},
                           {"Alpha", "General", "Multi", "onetwo"},
                           {"Alpha", "General", "Text", "C:\\VODureza\\VODureza.ini"},
                           {"Alpha", "Names", "a", "b,bar"},
                           {"Alpha", "Names", "z", "x,y,z"},
                           {"Alpha", "Outer", "Inner", "Deep,5 fields"},
                           {"Beta", "Two", "Sec", "k,v"},
                           {"Zeta", "S", "k", ""},
                       }));
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("restored.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace snapshot_tests
