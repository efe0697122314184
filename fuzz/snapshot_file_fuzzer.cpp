// The snapshot readers on any file: LoadRegistryToFG shows every line as a row of its
// comma-separated fields, and LoadRegistry either hands the store one batch that holds
// every line's setting (the data being all after the third comma) with no message, or,
// when a line is no setting, hands it nothing and reports that line. A file that starts
// with the UTF-8 byte-order mark is converted line by line: either both readers take it
// with no message, or each refuses it with one.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/user_interface.h"
#include "controls/memory_grid.h"
#include "fuzz_check.h"
#include "platform/ansi_codepage.h"
#include "platform/settings_store.h"
#include "scratch_file.h"
#include "snapshot/bmregistry.h"

namespace {

// Boxes are only counted and kept; every one is answered OK.
class RecordingUi final : public common::UserInterface {
 public:
  common::Answer MessageBox(std::string_view text, common::Buttons, common::Icon,
                            std::string_view) override {
    boxes.emplace_back(text);
    return common::Answer::kOk;
  }
  void Beep() override {}
  void SetBusyPointer(bool) override {}
  std::string BrowseForFolder(const common::FolderRequest&) override { return {}; }
  std::vector<std::string> boxes;
};

// HKEY_CURRENT_USER of a store that holds nothing.
class EmptyKey final : public platform::SettingsKey {
 public:
  platform::Status OpenSubKey(std::string_view, std::unique_ptr<platform::SettingsKey>&) override {
    return platform::kNotFound;
  }
  platform::Status EnumKey(std::uint32_t, char*, std::uint32_t) override {
    return platform::kNoMoreItems;
  }
  platform::Status EnumValue(std::uint32_t, char*, std::uint32_t*, std::uint32_t*, unsigned char*,
                             std::uint32_t*) override {
    return platform::kNoMoreItems;
  }
};

// A store that holds nothing and only takes restores, and keeps the batch it was given.
class RecordingStore final : public platform::SettingsStore {
 public:
  platform::Status OpenCurrentUserKey(std::string_view path,
                                      std::unique_ptr<platform::SettingsKey>& out) override {
    if (!path.empty()) return platform::kNotFound;
    out = std::make_unique<EmptyKey>();
    return platform::kSuccess;
  }
  platform::Status SaveSetting(std::string_view, std::string_view, std::string_view,
                               std::string_view) override {
    return platform::kAccessDenied;
  }
  platform::Status DeleteSetting(std::string_view, std::string_view, std::string_view) override {
    return platform::kAccessDenied;
  }
  platform::Status RestoreSettings(std::span<const platform::SettingWrite> writes) override {
    FUZZ_CHECK(!batch.has_value());
    batch.emplace(writes.begin(), writes.end());
    return platform::kSuccess;
  }
  platform::Status CreateCurrentUserKey(std::string_view) override {
    return platform::kAccessDenied;
  }
  platform::Status SetCurrentUserValue(std::string_view, std::string_view, std::uint32_t,
                                       std::string_view) override {
    return platform::kAccessDenied;
  }
  platform::Status ApplyChanges(std::span<const platform::RegChange>) override {
    return platform::kAccessDenied;
  }
  std::optional<std::vector<platform::SettingWrite>> batch;
};

std::string& FilePath() {
  static std::string path;
  return path;
}

// Where each restore writes its undo file; emptied after every input, since a restore
// numbers the undo files of one second and the fuzzer restores thousands a second.
std::string& UndoHome() {
  static std::string path;
  return path;
}

// The lines of the file: CR LF ends one, or LF in a file without any CR LF; a last line
// may lack its end.
std::vector<std::string_view> Lines(std::string_view text) {
  const std::string_view lineEnd = text.find("\r\n") == std::string_view::npos ? "\n" : "\r\n";
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(lineEnd);
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + lineEnd.size());
  }
  return lines;
}

// Where each "," that is a character of its own stands.
std::vector<std::size_t> Commas(std::string_view line) {
  std::vector<std::size_t> commas;
  for (std::size_t pos = 0; pos < line.size(); pos += platform::CharacterLength(line, pos)) {
    if (line[pos] == ',') commas.push_back(pos);
  }
  return commas;
}

void CheckGrid(const controls::MemoryGrid& grid, const std::vector<std::string_view>& lines) {
  FUZZ_CHECK(grid.Rows() == static_cast<int>(lines.size()) + grid.FixedRows());
  for (std::size_t row = 0; row < lines.size(); ++row) {
    const std::vector<std::size_t> commas = Commas(lines[row]);
    std::size_t start = 0;
    for (std::size_t cell = 0; cell <= commas.size(); ++cell) {
      const std::size_t end = cell < commas.size() ? commas[cell] : lines[row].size();
      FUZZ_CHECK(grid.TextMatrix(static_cast<int>(row) + 1, static_cast<int>(cell)) ==
                 platform::AnsiToUtf8(lines[row].substr(start, end - start)));
      start = end + 1;
    }
  }
}

// Whether the restore's check takes the line for a setting.
bool IsSetting(std::string_view line) {
  const std::vector<std::size_t> commas = Commas(line);
  if (commas.size() < 3 || commas[0] == 0 || commas[1] == commas[0] + 1) return false;
  // A "\" in the application or section would make a key below the section.
  for (std::size_t pos = 0; pos < commas[1]; pos += platform::CharacterLength(line, pos)) {
    if (line[pos] == '\\') return false;
  }
  // A NUL in the data would end the stored text there.
  return line.substr(commas[2] + 1).find('\0') == std::string_view::npos;
}

void CheckRestore(const RecordingStore& store, const RecordingUi& ui, bool restored,
                  const std::vector<std::string_view>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsSetting(lines[i])) {
      // The first line that is no setting fails the restore before anything is written.
      FUZZ_CHECK(!restored && !store.batch.has_value() && ui.boxes.size() == 1);
      FUZZ_CHECK(ui.boxes[0].starts_with("處理程序: (bmRegistry_LoadRegistry)"));
      FUZZ_CHECK(ui.boxes[0].find("Line " + std::to_string(i + 1) + " ") != std::string::npos);
      return;
    }
  }
  FUZZ_CHECK(restored && ui.boxes.empty() && store.batch.has_value());
  FUZZ_CHECK(store.batch->size() == lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::size_t> commas = Commas(lines[i]);
    const platform::SettingWrite& write = (*store.batch)[i];
    FUZZ_CHECK(write.application + "," + write.section + "," + write.key + "," + write.text ==
               lines[i]);
    FUZZ_CHECK(write.application.size() == commas[0] &&
               write.section.size() == commas[1] - commas[0] - 1 &&
               write.key.size() == commas[2] - commas[1] - 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FilePath() = ScratchFile("snapshot_file_fuzzer", "Reg_FUZZ.TXT");
  UndoHome() = std::filesystem::path(FilePath()).parent_path() / "state";
  FUZZ_CHECK(::setenv("XDG_STATE_HOME", UndoHome().c_str(), 1) == 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const int fd = ::open(FilePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  FUZZ_CHECK(fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(size));
  ::close(fd);
  const std::vector<std::string_view> lines = Lines(text);

  RecordingUi ui;
  common::InstallUserInterface(&ui);
  controls::MemoryGrid grid;
  grid.SetCols(4);
  grid.SetRows(1);
  const bool shown = bmRegistry::LoadRegistryToFG(grid, FilePath());
  RecordingStore store;
  if (text.starts_with("\xEF\xBB\xBF")) {
    FUZZ_CHECK(shown == ui.boxes.empty());
    const std::size_t boxes = ui.boxes.size();
    const bool restored = bmRegistry::LoadRegistry(FilePath(), store);
    FUZZ_CHECK(restored == store.batch.has_value() &&
               ui.boxes.size() == boxes + (restored ? 0 : 1));
  } else {
    FUZZ_CHECK(shown && ui.boxes.empty());
    CheckGrid(grid, lines);
    const bool restored = bmRegistry::LoadRegistry(FilePath(), store);
    CheckRestore(store, ui, restored, lines);
  }
  std::filesystem::remove_all(UndoHome());
  common::InstallUserInterface(nullptr);
  return 0;
}
