// No undo, no restore: when the undo file cannot be written completely, "復原Registry"
// changes nothing and says why, naming the undo folder.
#include <filesystem>
#include <functional>
#include <optional>

#include "snapshot/registry_page.h"
#include "snapshot_fixture.h"
#include "support/file_size_limit_posix.h"

namespace snapshot_tests {
namespace {

TEST(UndoRefused, ARestoreWhoseUndoFileCannotBeWrittenChangesNothingAndTellsWhy) {
  struct Case {
    const char* what;
    std::function<void(const testing_support::TempDir&)> breakFolder;
    bool fullDisk = false;
  };
  const std::vector<Case> cases = {
      {"a file where the state folder goes",
       [](const auto& dir) { testing_support::WriteBytes(dir.file("state"), ""); }},
      {"a file where the undo folder goes",
       [](const auto& dir) {
         std::filesystem::create_directories(dir.path() / "state" / "regtool");
         testing_support::WriteBytes(dir.file("state/regtool/undo"), "");
       }},
      {"a disk that fills up while the undo file is written", [](const auto&) {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::ScriptedUi ui;
    testing_support::TempDir dir;
    const auto store = FreshSettingsStore(dir);
    for (const char* key : {"Left", "Top"}) {
      ASSERT_EQ(store->SaveSetting("App", "Window", key, "1"), platform::kSuccess);
    }
    const Rows before = bmRegistry::ReadAllSettings(*store).value_or(Rows{});
    std::filesystem::create_directories(dir.path() / "bin");
    std::filesystem::create_directories(dir.path() / "DAT");
    testing_support::WriteBytes(dir.file("DAT/Reg_PC1.txt"),
                                "App,Window,Left,2\r\nApp,Window,Top,3\r\nNew,S,K,4\r\n");
    c.breakFolder(dir);
    controls::MemoryGrid fgList;
    testing_support::ScriptedOpenFileDialog dialog;
    snapshot::RegistryPage page{
        fgList, dialog, [] { return 1; }, [] { return std::string("PC1"); }, dir.file("bin"),
        *store, nullptr};
    std::optional<testing_support::FileSizeLimit> limit;
    if (c.fullDisk) limit.emplace(64);
    ui.ExpectBox();
    ui.ExpectBox();
    page.cmdLoadReg_Click();
    limit.reset();

    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_NE(ui.boxes()[0].text.find("No undo file could be written in the folder " +
                                      dir.file("state/regtool/undo")),
              std::string::npos)
        << ui.boxes()[0].text;
    EXPECT_NE(ui.boxes()[0].text.find("Nothing was changed."), std::string::npos);
    EXPECT_EQ(ui.boxes()[1].text, "復原Registry失敗");
    EXPECT_EQ(bmRegistry::ReadAllSettings(*store).value_or(Rows{}), before);
    if (std::filesystem::is_directory(dir.path() / "state/regtool/undo")) {
      EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "state/regtool/undo"));
    }
  }
}

}  // namespace
}  // namespace snapshot_tests
