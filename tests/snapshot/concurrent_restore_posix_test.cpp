// Tool processes working on one settings store at the same time: restores lose no
// setting of one another, a snapshot taken meanwhile shows the store as it was before or
// after a restore, never half of one, and an undo file holds what its restore replaced.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "snapshot/undo_file.h"
#include "snapshot_command_posix.h"
#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

constexpr int kSettingsPerFile = 200;

// A snapshot setting `count` keys of `application`, spread over four sections.
std::string SnapshotText(std::string_view application, std::string_view value, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += std::string(application) + ",Sec" + std::to_string(i % 4) + ",Key" + std::to_string(i) +
            "," + std::string(value) + "\r\n";
  }
  return text;
}

class ConcurrentSnapshots : public SnapshotTest {
 protected:
  std::string ConfigHome() const { return dir.file("config"); }

  std::string WriteSnapshot(std::string_view name, std::string_view text) {
    const std::string path = dir.file(name);
    WriteBytes(path, text);
    return path;
  }
};

TEST_F(ConcurrentSnapshots, TwoProcessesRestoringAtOnceKeepEverySettingOfBoth) {
  // Each process restores files of its own application one after another, so a setting
  // lost to the other process's write would not be put back by a later restore.
  std::vector<std::string> first = {"restore"};
  std::vector<std::string> second = {"restore"};
  for (int round = 0; round < 6; ++round) {
    const std::string suffix = std::to_string(round);
    first.push_back(WriteSnapshot("a" + suffix + ".txt",
                                  SnapshotText("AppA" + suffix, "a" + suffix, kSettingsPerFile)));
    second.push_back(WriteSnapshot("b" + suffix + ".txt",
                                   SnapshotText("AppB" + suffix, "b" + suffix, kSettingsPerFile)));
  }
  SnapshotCommand one(first, ConfigHome());
  SnapshotCommand two(second, ConfigHome());
  const CommandOutcome outcomeOne = one.Wait();
  const CommandOutcome outcomeTwo = two.Wait();
  EXPECT_EQ(outcomeOne.failedRoutines, 0) << outcomeOne.output;
  EXPECT_EQ(outcomeTwo.failedRoutines, 0) << outcomeTwo.output;

  std::map<std::string, std::string> stored;
  for (const auto& record : Records()) {
    ASSERT_EQ(record.size(), 4u);
    stored[record[0] + "," + record[1] + "," + record[2]] = record[3];
  }
  int lost = 0;
  for (int round = 0; round < 6; ++round) {
    for (const char* prefix : {"a", "b"}) {
      const std::string application = std::string("App") + (prefix[0] == 'a' ? "A" : "B");
      for (int i = 0; i < kSettingsPerFile; ++i) {
        const std::string setting = application + std::to_string(round) + ",Sec" +
                                    std::to_string(i % 4) + ",Key" + std::to_string(i);
        lost += stored[setting] == prefix + std::to_string(round) ? 0 : 1;
      }
    }
  }
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(stored.size(), 12u * kSettingsPerFile);
}

TEST_F(ConcurrentSnapshots, ASnapshotTakenDuringRestoresShowsOneWholeState) {
  ASSERT_TRUE(bmRegistry::LoadRegistry(
      WriteSnapshot("zero.txt", SnapshotText("App", "zero", kSettingsPerFile)), *store));
  const std::string one = WriteSnapshot("one.txt", SnapshotText("App", "one", kSettingsPerFile));
  const std::string two = WriteSnapshot("two.txt", SnapshotText("App", "two", kSettingsPerFile));
  std::vector<std::string> restores = {"restore"};
  for (int i = 0; i < 8; ++i) restores.push_back(i % 2 == 0 ? one : two);
  std::vector<std::string> saves = {"save"};
  for (int i = 0; i < 16; ++i) saves.push_back(dir.file("taken" + std::to_string(i) + ".txt"));

  SnapshotCommand restoring(restores, ConfigHome());
  SnapshotCommand saving(saves, ConfigHome());
  const CommandOutcome restored = restoring.Wait();
  const CommandOutcome saved = saving.Wait();
  ASSERT_EQ(restored.failedRoutines, 0) << restored.output;
  ASSERT_EQ(saved.failedRoutines, 0) << saved.output;

  // The walk lists sections in name order, so each state has exactly one snapshot text.
  std::set<std::string> wholeStates;
  for (const char* value : {"zero", "one", "two"}) {
    const auto records = SnapshotText("App", value, kSettingsPerFile);
    std::map<std::string, std::string> bySection;
    for (std::size_t start = 0; start < records.size();) {
      const std::size_t end = records.find("\r\n", start) + 2;
      const std::string line = records.substr(start, end - start);
      bySection[line.substr(0, line.find(',', 4))] += line;
      start = end;
    }
    std::string text;
    for (const auto& [section, lines] : bySection) text += lines;
    wholeStates.insert(text);
  }
  for (std::size_t i = 1; i < saves.size(); ++i) {
    EXPECT_EQ(wholeStates.count(ReadBytes(saves[i])), 1u) << saves[i];
  }
}

TEST_F(ConcurrentSnapshots, AnUndoFileHoldsWhatAnotherProcessWroteWhileItsRestoreWaited) {
  Save("App", "Sec", "Key", "first");
  const std::string storeFile = ConfigHome() + "/vb-registry/HKEY_CURRENT_USER.reg";
  const std::filesystem::path undoFolder = ConfigHome() + "-state/regtool/undo";
  {
    // Another process of the tool is writing the store: it holds the store's lock.
    const int lock = ::open((storeFile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    SnapshotCommand restoring({"restore", WriteSnapshot("restore.txt", "App,Sec,Key,restored\r\n")},
                              ConfigHome());
    // Time for the restore to read the store and write its undo file, were it not to wait.
    for (int i = 0; i < 50 && !std::filesystem::exists(undoFolder); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::string bytes = ReadBytes(storeFile);
    const std::size_t value = bytes.find("\"first\"");
    ASSERT_NE(value, std::string::npos) << bytes;
    WriteBytes(storeFile + ".new", bytes.replace(value, 7, "\"second\""));
    std::filesystem::rename(storeFile + ".new", storeFile);
    ::close(lock);
    const CommandOutcome restored = restoring.Wait();
    ASSERT_EQ(restored.failedRoutines, 0) << restored.output;
  }
  EXPECT_EQ(Records(), (Rows{{"App", "Sec", "Key", "restored"}}));
  const std::filesystem::path undoFile = std::filesystem::directory_iterator(undoFolder)->path();
  ASSERT_TRUE(bmRegistry::ApplyUndoFile(undoFile.string(), *store, nullptr));
  EXPECT_EQ(Records(), (Rows{{"App", "Sec", "Key", "second"}}));
}

}  // namespace
}  // namespace snapshot_tests
