// In code page 950 the bytes of "\" and "|" are also the second byte of many Chinese
// characters (許 = B3 5C, 功 = A5 5C, 四 = A5 7C). Only a "\" or "|" that stands as a
// character of its own may cut a name, a path or a line.
#include <filesystem>
#include <string_view>

#include "snapshot/registry_page.h"
#include "snapshot_fixture.h"
#include "support/big5_locale.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

constexpr std::string_view kXu = "\xB3\x5C";    // 許
constexpr std::string_view kGong = "\xA5\x5C";  // 功
constexpr std::string_view kGai = "\xBB\x5C";   // 蓋
constexpr std::string_view kSi = "\xA5\x7C";    // 四
constexpr std::string_view kFan = "\xA6\x7C";   // 帆

std::string Big5(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

class Big5Rules : public SnapshotTest {};

TEST_F(Big5Rules, TrailBytesNeverCutARecord) {
  if (!testing_support::UnderBig5Locale()) return;
  // value name 許\四, data 功|蓋\ : one real "\" in the name, one real "|" in the data.
  SetValue(Big5({kXu, kGong, kGai, "\\", kSi, kFan}), Big5({kXu, "\\", kSi}), platform::kTypeString,
           Big5({kGong, "|", kGai, "\\"}));
  EXPECT_EQ(ShownFromStore(), (Rows{{"許功蓋", "四帆", "許", "四", "功", "蓋\\"}}));

  const std::string snapshot = dir.file("snap.txt");
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), Big5({kXu, kGong, kGai, ",", kSi, kFan, ",", kXu, ",", kSi, ",",
                                       kGong, ",", kGai, "\\\r\n"}));
  ASSERT_TRUE(bmRegistry::LoadRegistryToFG(fgList, snapshot));
  EXPECT_EQ(fgList.DataRows(), ShownFromStore());
}

TEST_F(Big5Rules, ARestoreKeepsChineseNamesAndData) {
  if (!testing_support::UnderBig5Locale()) return;
  const std::string snapshot = dir.file("snap.txt");
  WriteBytes(snapshot, Big5({kXu, kGong, ",", kSi, ",", kGai, ",", kFan, ",", kGong, "\r\n"}));
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  EXPECT_EQ(ShownFromStore(), (Rows{{"許功", "四", "蓋", "帆,功"}}));
}

TEST_F(Big5Rules, AChineseComputerNameMakesOneFileName) {
  if (!testing_support::UnderBig5Locale()) return;
  std::filesystem::create_directories(dir.path() / "bin");
  std::filesystem::create_directories(dir.path() / "DAT");
  testing_support::ScriptedOpenFileDialog dialog;
  snapshot::RegistryPage page(
      fgList, dialog, [] { return 1; },
      [] {
        return Big5({kXu, kGong});
      },
      dir.file("bin"), *store, nullptr);

  ui.ExpectBox();
  ui.ExpectBox();
  page.cmdReadRegFile_Click();
  EXPECT_EQ(ui.boxes()[0].text, "File Not Found:" + dir.file("bin") + "\\..\\DAT\\Reg_許功.txt");

  Save("App", "Sec", "k", "v");
  page.cmdSave_Click();
  const std::string saved = dir.file(Big5({"DAT/Reg_", kXu, kGong, ".TXT"}));
  EXPECT_EQ(ReadBytes(saved), "App,Sec,k,v\r\n");
  page.cmdReadRegFile_Click();
  EXPECT_EQ(fgList.DataRows(), (Rows{{"App", "Sec", "k", "v"}}));
}

TEST_F(Big5Rules, ATrailByteThatLooksLikeALetterIsNotFoldedWhenMatchingNames) {
  if (!testing_support::UnderBig5Locale()) return;
  WriteBytes(dir.file("Reg_\xA4\x61.TXT"), "A,S,k,v\r\n");  // 兀
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistryToFG(fgList, dir.file("Reg_\xA4\x41.txt")));  // 乙
  EXPECT_EQ(ui.boxes()[0].text, "File Not Found:" + dir.file("Reg_乙.txt"));
  EXPECT_TRUE(bmRegistry::LoadRegistryToFG(fgList, dir.file("reg_\xA4\x61.txt")));
}

}  // namespace
}  // namespace snapshot_tests
