// One seed, written into the store of each platform (the registry itself on Windows),
// walked, saved, restored and saved again: every run must produce the shared seed's
// records and the checked-in snapshot files byte for byte.
#include <algorithm>
#include <filesystem>
#include <map>

#include "snapshot/registry_page.h"
#include "snapshot_fixture.h"
#include "support/seeded_settings.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;

std::string DataFile(std::string_view name) {
  return (std::filesystem::path(REGTOOL_TEST_DATA_DIR) / "snapshot" / name).string();
}

class RegistryRoundTrip : public SnapshotTest {
 protected:
  std::string snapshot = dir.file("Reg_PC.TXT");
};

TEST_F(RegistryRoundTrip, TheWalkGivesTheSameRecordsAndTheSameSnapshotFile) {
  testing_support::SeedSettings(*store);
  EXPECT_EQ(Records(), testing_support::SeededRecords());
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("seeded.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegistryRoundTrip, RestoringTheSnapshotGivesTheSameStoreAndTheSameSnapshotFile) {
  ASSERT_TRUE(bmRegistry::LoadRegistry(DataFile("seeded.txt"), *store));
  EXPECT_EQ(Records(), testing_support::RestoredRecords());
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store));
  EXPECT_EQ(ReadBytes(snapshot), ReadBytes(DataFile("restored.txt")));
  EXPECT_TRUE(ui.boxes().empty());
}

// Every value the walk reads, with its type and its bytes, by its path.
std::map<std::string, std::pair<std::uint32_t, std::string>> ValuesOf(
    platform::SettingsStore& store) {
  std::map<std::string, std::pair<std::uint32_t, std::string>> values;
  std::unique_ptr<platform::SettingsKey> root;
  EXPECT_EQ(store.OpenCurrentUserKey(platform::kSettingsRoot, root), platform::kSuccess);
  if (!root) return values;
  bmRegistry::WalkValues(*root, "", [&](const bmRegistry::StoredValue& value) {
    values[value.keyPath + "\\" + value.name] = {value.type, value.bytes};
  });
  return values;
}

TEST_F(RegistryRoundTrip, TheSaveNamesWhatItsFileCannotGiveBackAndARestoreKeepsAllElse) {
  testing_support::SeedSettings(*store);
  // "k,x" is read back as "k" with other data: it overwrites the one line before it,
  // whose name the store matches ignoring case.
  Save("Coll", "S", "K", "written back exactly, then overwritten");
  Save("Coll", "S", "k,x", "y");
  std::filesystem::create_directories(dir.path() / "bin");
  std::filesystem::create_directories(dir.path() / "DAT");
  const auto saveOnThePage = [&] {
    testing_support::ScriptedOpenFileDialog dialog;
    snapshot::RegistryPage page(
        fgList, dialog, [] { return 1; }, [] { return std::string("PC"); }, dir.file("bin"), *store,
        nullptr);
    page.cmdSave_Click();
  };
  ui.ExpectBox();
  saveOnThePage();
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text,
            "已存檔，但有 11 項設定無法由此檔案原樣復原：\r\nAlpha\\Names\\a,b\r\n"
            "Alpha\\Names\\a\\b\r\nAlpha\\Names\\a|b\r\nAlpha\\Names\\z\r\n"
            "Alpha\\Outer\\Inner\\Deep\r\n……等 11 項");
  EXPECT_EQ(ui.boxes()[0].icon, common::Icon::kExclamation);
  EXPECT_EQ(ui.boxes()[0].title, common::kAppTitle);

  bmRegistry::RestoreShortfall shortfall;
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(snapshot, *store, &shortfall));
  // A value that is not a string comes back as it was; the values of a key with
  // sub-keys are named after that key's sub-keys.
  const std::vector<std::string> named{"Alpha\\Names\\a,b",
                                       "Alpha\\Names\\a\\b",
                                       "Alpha\\Names\\a|b",
                                       "Alpha\\Names\\z",
                                       "Alpha\\Outer\\Inner\\Deep",
                                       "Alpha\\Outer\\Skipped beside Inner",
                                       "Alpha\\Skipped beside sections",
                                       "Beta|Two\\Sec\\k",
                                       "Coll\\S\\K",
                                       "Coll\\S\\k,x",
                                       "Skipped in the root"};
  EXPECT_EQ(shortfall.settings, named);
  EXPECT_FALSE(shortfall.wholeFileRefused);
  const auto before = ValuesOf(*store);
  ASSERT_TRUE(bmRegistry::LoadRegistry(snapshot, *store));
  const auto after = ValuesOf(*store);
  for (const auto& [path, value] : before) {
    if (std::find(named.begin(), named.end(), path) != named.end()) continue;
    ASSERT_TRUE(after.contains(path)) << path;
    EXPECT_EQ(after.at(path), value) << path;
  }
  // The restore deletes and saves, so the value takes the file's spelling.
  EXPECT_NE(after.at("Coll\\S\\k"), before.at("Coll\\S\\K"));

  // Data holding CR LF splits its line: the restore refuses the whole file, and the
  // box says so.
  testing_support::TempDir other;
  store = FreshSettingsStore(other);
  Save("App", "Sec", "k", "two\r\nlines");
  Save("App", "Sec", "z", "plain");
  ui.ExpectBox(common::Answer::kYes);  // overwrite the file?
  ui.ExpectBox();
  saveOnThePage();
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[2].text,
            "已存檔，但有 1 項設定無法由此檔案原樣復原：\r\nApp\\Sec\\k\r\n"
            "由於其中部分設定，復原此檔案時將整個失敗。");
  ui.ExpectBox();
  EXPECT_FALSE(bmRegistry::LoadRegistry(dir.file("DAT/Reg_PC.TXT"), *store));
  store.reset();
}

}  // namespace
}  // namespace snapshot_tests
