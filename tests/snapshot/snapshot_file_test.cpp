// Writing a snapshot file from the store, and showing one in the grid.
#include <filesystem>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class SnapshotFile : public SnapshotTest {
 protected:
  void SeedTwoApplications() {
    Save("Beta", "Main", "b1", "one");
    Save("Beta", "Main", "b2", "two");
    Save("Alpha", "Main", "a1", "x");
    Save("Alpha", "Main", "a2", "");
  }
  Rows ShownFromFile(const std::string& path) {
    EXPECT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
    return fgList.DataRows();
  }
  std::string snapshot = dir.file("Reg_PC.TXT");
};

TEST_F(SnapshotFile, IsOneCrLfLinePerSettingInWalkOrderAndReadsBackAsTheStoreShows) {
  SeedTwoApplications();
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot),
            "Alpha,Main,a1,x\r\nAlpha,Main,a2,\r\nBeta,Main,b1,one\r\nBeta,Main,b2,two\r\n");
  EXPECT_EQ(ShownFromFile(snapshot), ShownFromStore());
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SnapshotFile, KeepsTabsAndLineBreaksOfTheDataInsideTheirLine) {
  Save("App", "Sec", "k", "a\tb\nc\rd");
  Save("App", "Sec", "z", "e");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), "App,Sec,k,a\tb\nc\rd\r\nApp,Sec,z,e\r\n");
  EXPECT_EQ(ShownFromFile(snapshot), ShownFromStore());
}

TEST_F(SnapshotFile, WithoutAnySettingNothingIsWrittenAndAnOldFileStays) {
  WriteBytes(snapshot, "old");
  EXPECT_FALSE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));  // no root
  CreateEmptyRoot();
  EXPECT_FALSE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), "old");
  EXPECT_FALSE(bmRegistry::GetCurrentKeyToFile(dir.file("new.txt"), *store));
  EXPECT_FALSE(std::filesystem::exists(dir.file("new.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SnapshotFile, ReplacesTheWholeOfAnEarlierSnapshot) {
  WriteBytes(snapshot, std::string(1000, 'o') + "\r\n");
  Save("App", "Sec", "k", "v");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), "App,Sec,k,v\r\n");
}

TEST_F(SnapshotFile, AFolderThatDoesNotExistFailsQuietlyAndLeavesNoFile) {
  Save("App", "Sec", "k", "v");
  EXPECT_FALSE(bmRegistry::GetCurrentKeyToFile(dir.file("missing\\Reg.TXT"), *store));
  EXPECT_TRUE(ui.boxes().empty());  // logged only
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST_F(SnapshotFile, ShowsEveryLineAsARowAndEveryCommaAsACellBoundary) {
  WriteBytes(snapshot, "A,S,k,v1,v2\r\n\r\nA,S\r\nA,S,k,a\nb\rc\r\nA,S,last,v");
  EXPECT_EQ(ShownFromFile(snapshot), (Rows{{"A", "S", "k", "v1", "v2"},
                                           {"", "", "", "", ""},
                                           {"A", "S", "", "", ""},
                                           {"A", "S", "k", "a\nb\rc", ""},
                                           {"A", "S", "last", "v", ""}}));
}

TEST_F(SnapshotFile, AFileWhoseLineEndsBecameLineFeedsIsShownAndRestoredLineByLine) {
  WriteBytes(snapshot, "A,S,k1,one\nA,S,k2,t\rwo\n\nA,S,k3,three");
  EXPECT_EQ(ShownFromFile(snapshot), (Rows{{"A", "S", "k1", "one"},
                                           {"A", "S", "k2", "t\rwo"},
                                           {"", "", "", ""},
                                           {"A", "S", "k3", "three"}}));
  WriteBytes(snapshot, "A,S,k1,one\nA,S,k2,t\rwo\nA,S,k3,three\n");
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(Records(),
            (Rows{{"A", "S", "k1", "one"}, {"A", "S", "k2", "t\rwo"}, {"A", "S", "k3", "three"}}));
}

TEST_F(SnapshotFile, AMissingFileOrAFolderIsNamedInABoxAndTheGridStays) {
  fgList.AddItem({"kept"});
  for (const std::string& path : {dir.file("none.txt"), dir.path().string()}) {
    ui.ExpectBox();
    EXPECT_FALSE(bmRegistry::LoadRegistryToFG(fgList, path));
    EXPECT_EQ(ui.boxes().back().text, "File Not Found:" + path);
    EXPECT_EQ(ui.boxes().back().icon, common::Icon::kNone);
    EXPECT_EQ(ui.boxes().back().title, common::kAppTitle);
  }
  EXPECT_EQ(fgList.DataRows(), (Rows{{"kept", "", "", ""}}));
}

TEST_F(SnapshotFile, TheSavesUpperCaseExtensionIsFoundByTheReadersLowerCaseName) {
  WriteBytes(dir.file("Reg_PC.TXT"), "A,S,k,v\r\n");
  EXPECT_EQ(ShownFromFile(dir.file("reg_pc.txt")), (Rows{{"A", "S", "k", "v"}}));
}

}  // namespace
}  // namespace snapshot_tests
