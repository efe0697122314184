// Snapshot files as technicians bring them: empty, cut short, hand-edited, huge, or made
// on a Windows machine in code page 950. Each is shown in the grid or refused with a
// report that names the line, the store file keeps every byte of a refused restore,
// and reading takes memory for the longest line only.
#include <algorithm>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "snapshot/snapshot_lines.h"
#include "snapshot_fixture.h"
#include "support/big5_locale.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

class HostileSnapshot : public SnapshotTest {
 protected:
  HostileSnapshot() {
    Save("Kept", "Sec", "k", "stored");
    storeBefore_ = StoreBytes();
  }

  std::string StoreBytes() const {
    return ReadBytes(dir.file("config/vb-registry/HKEY_CURRENT_USER.reg"));
  }

  std::string Snapshot(std::string_view bytes) {
    const std::string path = dir.file("hostile.txt");
    WriteBytes(path, bytes);
    return path;
  }

  // A restore that must be refused: one report naming `words`, nothing changed.
  void ExpectRefusedRestore(const std::string& path, std::string_view words) {
    ui.ExpectBox();
    EXPECT_FALSE(bmRegistry::LoadRegistry(path, *store));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].text.starts_with("處理程序: (bmRegistry_LoadRegistry)"));
    EXPECT_NE(ui.boxes()[0].text.find(words), std::string::npos) << ui.boxes()[0].text;
    EXPECT_EQ(StoreBytes(), storeBefore_);
  }

  std::string storeBefore_;
};

TEST_F(HostileSnapshot, AnEmptyFileShowsNoRowAndRestoresNothing) {
  const std::string path = Snapshot("");
  fgList.AddItem({"stale"});
  EXPECT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  EXPECT_EQ(fgList.Rows(), 1);
  EXPECT_TRUE(bmRegistry::LoadRegistry(path, *store));
  EXPECT_EQ(StoreBytes(), storeBefore_);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(HostileSnapshot, OnlyALineEndIsOneEmptyRowAndARefusedRestore) {
  const std::string path = Snapshot("\r\n");
  EXPECT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  EXPECT_EQ(fgList.DataRows(), (Rows{{"", "", "", ""}}));
  ExpectRefusedRestore(path, "Line 1 ");
}

// A NUL in the data is a bad line of its own: see the snapshot file table.
TEST_F(HostileSnapshot, ANulInANameRefusesTheRestore) {
  using namespace std::string_literals;
  const std::string nulInName = Snapshot("App,Sec,k1,v\r\nApp,Sec,K\0ey,v\r\n"s);
  EXPECT_TRUE(bmRegistry::LoadRegistryToFG(fgList, nulInName));
  EXPECT_EQ(fgList.Rows(), 3);
  ExpectRefusedRestore(nulInName, "setting 2 of 2");
}

TEST_F(HostileSnapshot, LinesOfTenThousandFieldsAreShownWholeAndTheirDataRestored) {
  std::string text;
  std::string rest;
  for (int field = 3; field < 10000; ++field)
    rest += (field > 3 ? "," : "") + std::to_string(field);
  for (int line = 0; line < 20; ++line)
    text += "Wide,Sec,k" + std::to_string(line) + "," + rest + "\r\n";
  const std::string path = Snapshot(text);
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  EXPECT_EQ(fgList.Rows(), 21);
  EXPECT_EQ(fgList.Cols(), 10000);
  EXPECT_EQ(fgList.TextMatrix(20, 9999), "9999");
  ASSERT_TRUE(bmRegistry::LoadRegistry(path, *store));
  const Rows records = Records();
  ASSERT_EQ(records.size(), 21u);
  EXPECT_EQ(records[1 + 9], (std::vector<std::string>{"Wide", "Sec", "k9", rest}));  // after Kept
}

TEST_F(HostileSnapshot, AFiftyMebibyteLineIsShownAndRestoredWhole) {
  const std::string data(50u << 20, 'd');
  const std::string path = Snapshot("Huge,Sec,k," + data + "\r\nHuge,Sec,after,v\r\n");
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  EXPECT_EQ(fgList.Rows(), 3);
  EXPECT_EQ(fgList.TextMatrix(1, 3).size(), data.size());
  ASSERT_TRUE(bmRegistry::LoadRegistry(path, *store));
  const Rows records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][3].size(), data.size());
  EXPECT_EQ(records[1], (std::vector<std::string>{"Huge", "Sec", "after", "v"}));
}

// Peak memory of `work` run in a child process, in MiB above what the child had.
template <typename Work>
long PeakMebibytesOf(Work&& work) {
  int report[2];
  if (::pipe(report) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    work();
    ::getrusage(RUSAGE_SELF, &usage);
    const long grown = (usage.ru_maxrss - before) / 1024;
    ::_exit(::write(report[1], &grown, sizeof grown) == sizeof grown ? 0 : 1);
  }
  ::close(report[1]);
  long grown = -1;
  if (::read(report[0], &grown, sizeof grown) != sizeof grown) grown = -1;
  ::close(report[0]);
  ::waitpid(child, nullptr, 0);
  return grown;
}

TEST_F(HostileSnapshot, ReadingAFileLineByLineTakesMemoryForOneLineOnly) {
  std::string text;
  const std::string line = "App,Sec,key," + std::string(90, 'v') + "\r\n";
  while (text.size() < (64u << 20)) text += line;
  const std::string path = Snapshot(text);
  text.clear();
  text.shrink_to_fit();
  std::size_t lines = 0;
  const long grown = PeakMebibytesOf([&] {
    bmRegistry::SnapshotLineReader reader(path, "");
    std::string read;
    while (reader.Next(read)) ++lines;
    if (lines == 0) ::_exit(2);
  });
  EXPECT_GE(grown, 0);
  EXPECT_LT(grown, 8) << "a 64 MiB file of short lines";
}

TEST_F(HostileSnapshot, AWindowsFileInCodePage950IsShownInChineseAndRestoredByteForByte) {
  if (!testing_support::UnderBig5Locale()) return;
  // 系統設定,參數,功能,許可 / 伺服器,四,檔案,值 without a final line end, as Notepad
  // saves it. 功 (A5 5C) and 許 (B3 5C) end in the "\" byte, 四 (A5 7C) in "|".
  const std::string line1 =
      "\xA8\x74\xB2\xCE\xB3\x5D\xA9\x77,\xB0\xD1\xBC\xC6,\xA5\x5C\xAF\xE0,"
      "\xB3\x5C\xA5\x69";
  const std::string line2 = "\xA6\xF8\xAA\x41\xBE\xB9,\xA5\x7C,\xC0\xC9\xAE\xD7,\xAD\xC8";
  const std::string path = Snapshot(line1 + "\r\n" + line2);
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  EXPECT_EQ(fgList.DataRows(),
            (Rows{{"系統設定", "參數", "功能", "許可"}, {"伺服器", "四", "檔案", "值"}}));
  ASSERT_TRUE(bmRegistry::LoadRegistry(path, *store));
  const std::string saved = dir.file("saved.txt");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(saved, *store));
  EXPECT_NE(ReadBytes(saved).find(line1 + "\r\n"), std::string::npos);
  EXPECT_NE(ReadBytes(saved).find(line2 + "\r\n"), std::string::npos);
}

TEST_F(HostileSnapshot, BytesThatAreNoCodePage950TextShowAsReplacementsAndStayAsTheyAre) {
  if (!testing_support::UnderBig5Locale()) return;
  // 0xFF is no character of code page 950; a lead byte (A5) before a comma takes the
  // comma as its trail byte, so that line has only three fields.
  const std::string path = Snapshot("App\xFF,Sec,k,v\xFF\r\nApp,Sec\xA5,k,v\r\n");
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
  ASSERT_EQ(fgList.Rows(), 3);
  EXPECT_EQ(fgList.TextMatrix(1, 0), "App\xEF\xBF\xBD");  // U+FFFD
  EXPECT_EQ(fgList.TextMatrix(2, 2), "v");
  ExpectRefusedRestore(path, "Line 2 ");

  ASSERT_TRUE(bmRegistry::LoadRegistry(Snapshot("App\xFF,Sec,k,v\xFF\r\n"), *store));
  EXPECT_EQ(Records()[0], (std::vector<std::string>{"App\xFF", "Sec", "k", "v\xFF"}));
}

// Through the grid, the comparison and the restore, a file is taken exactly as it is
// meant or refused whole with its line named: a UTF-8 file with its byte-order mark is
// converted to the code page, a line that cannot come back as written is a bad line.
TEST_F(HostileSnapshot, AFileIsTakenExactlyOrRefusedWholeWithItsLineNamed) {
  if (!testing_support::UnderBig5Locale()) return;
  using namespace std::string_literals;
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    std::string bytes;
    Rows applied;         // in UTF-8, in file order; none: refused
    std::string refused;  // words of the report
    // The grid shows any line as its fields, but not a file it cannot read as text.
    bool notShown = false;
  };
  const std::vector<Case> cases{
      // 功 ends in the "\" byte in code page 950: a character, no key below the section.
      {bom + "App,功能,Title,系統設定\r\nApp,Sec,k,plain\r\n",
       {{"App", "功能", "Title", "系統設定"}, {"App", "Sec", "k", "plain"}}, ""},
      {"App,Sec,Title,\xA8\x74\xB2\xCE\xB3\x5D\xA9\x77\r\n",
       {{"App", "Sec", "Title", "系統設定"}}, ""},
      {bom + "App,Sec,k,ok\r\nApp,Sec,k,😀\r\n", {}, "Line 2 of the snapshot is UTF-8 text", true},
      {bom + "App,Sec,k,\xFF\r\n", {}, "Line 1 of the snapshot is UTF-8 text", true},
      {"App,Sec,k,ok\r\nApp,Sec,k,da\0ta\r\n"s, {}, "Line 2 of the snapshot has a NUL"},
      {"App,Sec\\Sub,k,v\r\n", {}, "Line 1 of the snapshot has a \"\\\" in its"},
      {"App\\Sub,Sec,k,v\r\n", {}, "Line 1 of the snapshot has a \"\\\" in its"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::string path = Snapshot(c.bytes);
    const std::string before = StoreBytes();
    const std::size_t boxes = ui.boxes().size();
    if (c.applied.empty()) {
      if (c.notShown) {
        ui.ExpectBox();
        EXPECT_FALSE(bmRegistry::LoadRegistryToFG(fgList, path));
        EXPECT_EQ(fgList.Rows(), 1);
      }
      ui.ExpectBox();
      ui.ExpectBox();
      EXPECT_FALSE(bmRegistry::CompareWithStore(path, *store));
      EXPECT_FALSE(bmRegistry::LoadRegistry(path, *store));
      EXPECT_EQ(StoreBytes(), before);
      for (std::size_t box = boxes; box < ui.boxes().size(); ++box) {
        EXPECT_NE(ui.boxes()[box].text.find(c.refused), std::string::npos) << ui.boxes()[box].text;
      }
      continue;
    }
    ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, path));
    EXPECT_EQ(fgList.DataRows(), c.applied);
    ASSERT_TRUE(bmRegistry::LoadRegistry(path, *store));
    const Rows shown = ShownFromStore();
    for (const auto& row : c.applied) {
      EXPECT_NE(std::find(shown.begin(), shown.end(), row), shown.end()) << row[3];
    }
    const auto changes = bmRegistry::CompareWithStore(path, *store);
    ASSERT_TRUE(changes);
    EXPECT_TRUE(changes->empty());
    EXPECT_EQ(ui.boxes().size(), boxes);
  }
}

}  // namespace
}  // namespace snapshot_tests
