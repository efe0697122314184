// The walk of the settings tree: which values give records, and how a record is cut
// into cells.
#include <functional>
#include <ostream>

#include "common/error_report.h"
#include "platform/system_info.h"
#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using platform::kTypeBinary;
using platform::kTypeDword;
using platform::kTypeMultiString;
using platform::kTypeString;

class SettingsWalk : public SnapshotTest {};

struct Shape {
  const char* name;
  std::function<void(SnapshotTest&)> seed;
  Rows records;
};
void PrintTo(const Shape& shape, std::ostream* out) {
  *out << shape.name;
}

class TreeShapes : public SnapshotTest, public ::testing::WithParamInterface<Shape> {};

TEST_P(TreeShapes, GiveTheirRecord) {
  GetParam().seed(*this);
  EXPECT_EQ(Records(), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsWalk, TreeShapes,
    ::testing::Values(Shape{"StandardLayout",
                            [](SnapshotTest& t) { t.Save("App", "Sec", "Key", "data"); },
                            {{"App", "Sec", "Key", "data"}}},
                      Shape{"UnnamedValueOfASection",
                            [](SnapshotTest& t) {
                              t.SetValue("App\\Sec", "", kTypeString, std::string("data\0", 5));
                            },
                            {{"App", "Sec", "", "data"}}},
                      Shape{"ValueDirectlyInAnApplication",
                            [](SnapshotTest& t) { t.SetValue("App", "Key", kTypeString, "data"); },
                            {{"App", "Key", "data"}}},
                      Shape{"ValueInAThirdLevelKey",
                            [](SnapshotTest& t) { t.Save("App", "Sec\\Sub", "Key", "d"); },
                            {{"App", "Sec", "Sub", "Key", "d"}}},
                      Shape{"KeyWithSubKeysAndValuesGivesOnlyTheSubKeys",
                            [](SnapshotTest& t) {
                              t.Save("App", "Sec", "Own", "skipped");
                              t.Save("App", "Sec\\Sub", "Key", "d");
                            },
                            {{"App", "Sec", "Sub", "Key", "d"}}},
                      Shape{"ValueDirectlyInTheRoot",
                            [](SnapshotTest& t) { t.SetValue("", "Key", kTypeString, "d"); },
                            {{"Key", "d"}}}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

TEST_F(SettingsWalk, TwoSectionsOfTwoValuesGiveFourRowsInWalkOrder) {
  if (platform::RunningUnderWine()) {
    GTEST_SKIP() << "Wine keeps values sorted by name, Windows in the order they were created";
  }
  Save("App", "Second", "b1", "4");
  Save("App", "First", "a2", "2");
  Save("App", "First", "a1", "1");  // created after a2: values keep creation order
  Save("App", "Second", "b2", "3");
  EXPECT_EQ(ShownFromStore(), (Rows{{"App", "First", "a2", "2"},
                                    {"App", "First", "a1", "1"},
                                    {"App", "Second", "b1", "4"},
                                    {"App", "Second", "b2", "3"}}));
}

TEST_F(SettingsWalk, DataBytesAreTakenAsTextWithoutNuls) {
  // Created in name order, which is also the order Wine lists them in.
  SetValue("App\\Sec", "binary", kTypeBinary, std::string("\0A\0B", 4));
  SetValue("App\\Sec", "dword", kTypeDword, std::string("\x01\0\0\0", 4));
  SetValue("App\\Sec", "empty", kTypeString, "");
  SetValue("App\\Sec", "multi", kTypeMultiString, std::string("one\0two\0\0", 9));
  EXPECT_EQ(ShownFromStore(), (Rows{{"App", "Sec", "binary", "AB"},
                                    {"App", "Sec", "dword", "\x01"},
                                    {"App", "Sec", "empty", ""},
                                    {"App", "Sec", "multi", "onetwo"}}));
}

TEST_F(SettingsWalk, BarsAndBackslashesInNamesStartCellsButABackslashInDataStays) {
  SetValue("A|pp\\Sec", "k\\ey", kTypeString, "C:\\data|more");
  EXPECT_EQ(Records(), (Rows{{"A", "pp", "Sec", "k", "ey", "C:\\data", "more"}}));
  // The grid grows columns for the wider row.
  EXPECT_EQ(ShownFromStore(), Records());
}

TEST_F(SettingsWalk, ATabStaysInsideItsCell) {
  Save("App", "Sec", "na\tme", "one\ttwo");
  EXPECT_EQ(ShownFromStore(), (Rows{{"App", "Sec", "na\tme", "one\ttwo"}}));
}

TEST_F(SettingsWalk, ValueNamesLongerThanTheClassicBufferAreRead) {
  // Created in name order, which is also the order Wine lists them in.
  Save("App", "Sec", std::string(300, 'l'), "1");
  Save("App", "Sec", std::string(16383, 'm'), "2");
  Save("App", "Sec", "then", "3");
  const Rows records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][2].size(), 300u);
  EXPECT_EQ(records[1][2], std::string(16383, 'm')) << "(name of " << records[1][2].size() << ")";
  EXPECT_EQ(records[2], (std::vector<std::string>{"App", "Sec", "then", "3"}));
}

TEST_F(SettingsWalk, AMissingRootGivesFalseAndLeavesTheHeaderOnly) {
  fgList.AddItem({"stale", "row"});
  EXPECT_FALSE(bmRegistry::GetCurrentKey(fgList, *store));
  EXPECT_EQ(fgList.Rows(), 1);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SettingsWalk, AnEmptyRootGivesTrueAndNoRows) {
  CreateEmptyRoot();
  fgList.AddItem({"stale"});
  EXPECT_TRUE(bmRegistry::GetCurrentKey(fgList, *store));
  EXPECT_EQ(fgList.Rows(), 1);
  EXPECT_GT(ui.busyShown(), 0);
  EXPECT_FALSE(ui.busy());
}

// A key that delegates to the store's key, except that opening or listing the sub-tree
// named `broken` fails the way a damaged or locked key would.
class FaultyKey : public platform::SettingsKey {
 public:
  enum class Fault { kCannotOpen, kThrows };
  FaultyKey(std::unique_ptr<platform::SettingsKey> real, std::string broken, Fault fault)
      : real_(std::move(real)), broken_(std::move(broken)), fault_(fault) {}

  platform::Status OpenSubKey(std::string_view path,
                              std::unique_ptr<platform::SettingsKey>& out) override {
    if (path == broken_ && fault_ == Fault::kCannotOpen) return platform::kAccessDenied;
    std::unique_ptr<platform::SettingsKey> opened;
    const platform::Status status = real_->OpenSubKey(path, opened);
    if (status == platform::kSuccess) {
      out = std::make_unique<FaultyKey>(std::move(opened), path == broken_ ? "*" : "", fault_);
    }
    return status;
  }
  platform::Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) override {
    if (broken_ == "*") throw std::bad_alloc();
    return real_->EnumKey(index, name, capacity);
  }
  platform::Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                             std::uint32_t* type, unsigned char* data,
                             std::uint32_t* dataLength) override {
    return real_->EnumValue(index, name, nameLength, type, data, dataLength);
  }

 private:
  std::unique_ptr<platform::SettingsKey> real_;
  std::string broken_;
  Fault fault_;
};

class WalkFaults : public SettingsWalk {
 protected:
  void SetUp() override {
    Save("A", "S", "k", "1");
    Save("B", "S", "k", "2");
    Save("C", "S", "k", "3");
  }
  Rows WalkWith(FaultyKey::Fault fault) {
    std::unique_ptr<platform::SettingsKey> root;
    EXPECT_EQ(store->OpenCurrentUserKey(platform::kSettingsRoot, root), platform::kSuccess);
    if (!root) return {};
    FaultyKey faulty(std::move(root), "B", fault);
    Rows records;
    EXPECT_TRUE(bmRegistry::EnumSubKey(faulty, "", records));
    return records;
  }
};

TEST_F(WalkFaults, AKeyThatCannotBeOpenedIsSkippedSilently) {
  EXPECT_EQ(WalkWith(FaultyKey::Fault::kCannotOpen),
            (Rows{{"A", "S", "k", "1"}, {"C", "S", "k", "3"}}));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(WalkFaults, AFailureInsideOneKeyIsShownAndTheWalkGoesOn) {
  ui.ExpectBox();
  EXPECT_EQ(WalkWith(FaultyKey::Fault::kThrows),
            (Rows{{"A", "S", "k", "1"}, {"C", "S", "k", "3"}}));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text,
            basBase::ErrorReportText("bmRegistry_EnumSubKey", 7, "Out of memory"));
}

}  // namespace
}  // namespace snapshot_tests
