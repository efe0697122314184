// The "Registry" page end to end through the Win32 window under Wine: a HKEY_CURRENT_USER
// of this test's own in Wine's real registry, the default snapshot file in the DAT
// folder beside the program's folder, and the message boxes answered by the scripted
// user interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/win32/fm_reg_tool.h"
#include "platform/ansi_codepage.h"
#include "platform/system_info.h"
#include "support/modal_win32.h"
#include "support/private_registry_win32.h"
#include "support/scripted_ui.h"
#include "support/seeded_settings.h"
#include "support/temp_dir.h"
#include "window_driver.h"

namespace window_tests {
namespace {

using testing_support::ReadBytes;

std::filesystem::path DataFile(std::string_view name) {
  return std::filesystem::path(REGTOOL_TEST_DATA_DIR) / "snapshot" / name;
}

// The DAT folder beside the program's folder, made for the test and removed after it.
class DefaultSnapshotFolder {
 public:
  DefaultSnapshotFolder() : path_(std::filesystem::path(platform::ProgramFolder()) / ".." / "DAT") {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~DefaultSnapshotFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

TEST(WindowRegistryPage, ReadSaveShowAndRestoreThroughTheWindow) {
  testing_support::ScriptedUi ui;  // before the window: every box of the pass is scripted
  std::unique_ptr<platform::SettingsStore> store = testing_support::EmptyPrivateSettingsStore();
  testing_support::SeedSettings(*store);
  DefaultSnapshotFolder dat;

  app::fmRegTool window([] { return std::string("E2E"); });
  window.Show(SW_SHOWNORMAL);
  WindowDriver user(window);
  ASSERT_TRUE(IsWindowVisible(user.Control("fgList")));
  EXPECT_EQ(user.Titles("fgList"), (std::vector<std::string>{"Key1", "Key2", "Key3", "Value"}));

  // "讀取本機Registry": the seed's records, one a row; a record of five fields widened
  // the grid to five columns.
  user.Click("cmdGetCurrentReg");
  ASSERT_EQ(user.Titles("fgList").size(), 5u);
  EXPECT_EQ(user.Shown("fgList"), PaddedTo(testing_support::SeededRecords(), 5));

  // "存檔" with the default folder: the same bytes as the Linux build's snapshot of the
  // same seed. Wine lists values sorted by name where Windows lists them in their order
  // of creation, and sorts "[\]^_`" before letters in sub-key names where Windows sorts
  // them after: the seed creates its values in sorted order and keeps those characters
  // out of its sub-key names, so Wine's file is the one Windows writes. The seed holds
  // settings that the comma format cannot give back, and the save says so.
  user.SetTicked("chkDefault", true);
  ui.ExpectBox();
  user.Click("cmdSave");
  const std::filesystem::path saved = dat.file("Reg_E2E.TXT");
  EXPECT_EQ(ReadBytes(saved), ReadBytes(DataFile("seeded.txt")));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_TRUE(ui.boxes()[0].text.starts_with(
      "已存檔，但有 9 項設定無法由此檔案原樣復原：\r\nAlpha\\Names\\a,b\r\n"))
      << ui.boxes()[0].text;

  // A second "存檔" asks before overwriting; "No" keeps the file as it was, although
  // the store changed meanwhile.
  ASSERT_EQ(store->DeleteSetting("Zeta", "S", "k"), platform::kSuccess);
  ui.ExpectBox(common::Answer::kNo);
  user.Click("cmdSave");
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].text, "該文字檔已存在，要覆蓋嗎?");
  EXPECT_EQ(ui.boxes()[1].title, "檔案已存在");
  EXPECT_EQ(ReadBytes(saved), ReadBytes(DataFile("seeded.txt")));

  // "讀入Registry" of the default file, which the reading commands name "Reg_E2E.txt":
  // Wine, like Windows, finds the saved "Reg_E2E.TXT" under that name. Each line is one
  // row split at its commas, so names and data holding commas move the fields.
  user.Click("cmdReadRegFile");
  EXPECT_EQ(user.Shown("fgList"), PaddedTo(testing_support::GeneralRecordsThen({
                                               {"Alpha", "Names", "a", "b", "comma"},
                                               {"Alpha", "Names", "a", "b", "backslash"},
                                               {"Alpha", "Names", "a", "b", "bar"},
                                               {"Alpha", "Names", "z", "x", "y", "z"},
                                               {"Alpha", "Outer", "Inner", "Deep", "5 fields"},
                                               {"Beta", "Two", "Sec", "k", "v"},
                                               {"Zeta", "S", "k", ""},
                                           }),
                                           6));

  // "復原Registry" of the same file into an emptied store, chosen in the open-file
  // dialog, which opens in the default folder: the grid keeps what it showed, and
  // "讀取本機Registry" then shows the restored settings.
  const Rows shownBefore = user.Shown("fgList");
  store = testing_support::EmptyPrivateSettingsStore();
  user.SetTicked("chkDefault", false);
  std::string dialogFolder;
  ChooseWhenOpenFileDialogShows(L"Reg_E2E.TXT", dialogFolder);
  user.Click("cmdLoadReg");
  EXPECT_EQ(std::filesystem::weakly_canonical(dialogFolder),
            std::filesystem::weakly_canonical(dat.file("")));
  EXPECT_EQ(user.Shown("fgList"), shownBefore);

  // A cancel in the dialog is no choice, although the dialog keeps the file chosen
  // before: "復原Registry" asks for a file and restores nothing.
  ASSERT_EQ(store->DeleteSetting("Zeta", "S", "k"), platform::kSuccess);
  testing_support::WhenModalShows(L"#32770",
                                  [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  ui.ExpectBox();
  user.Click("cmdLoadReg");
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[2].text, "請選擇文字檔");

  // Beside the restored settings, one in the users' own code page (950): the store keeps
  // its ANSI bytes, the grid shows the characters.
  using platform::Utf8ToAnsi;
  ASSERT_EQ(
      store->SaveSetting(Utf8ToAnsi("站台"), "PARAM", Utf8ToAnsi("名稱"), Utf8ToAnsi("一號櫃台")),
      platform::kSuccess);
  user.Click("cmdGetCurrentReg");
  testing_support::SettingRows shown = testing_support::RestoredRecords();
  ASSERT_EQ(shown.back(), (std::vector<std::string>{"Zeta", "S", "k", ""}));
  shown.back() = {"站台", "PARAM", "名稱", "一號櫃台"};
  EXPECT_EQ(user.Shown("fgList"), PaddedTo(shown, 6));
  EXPECT_EQ(ui.boxes().size(), 3u);
}

}  // namespace
}  // namespace window_tests
