#include "snapshot/undo_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <system_error>

#include "common/failure.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/reg_file.h"
#include "platform/reg_tree.h"
#include "platform/undo_folder.h"
#include "platform/utf16.h"
#include "snapshot/settings_root.h"

namespace bmRegistry {
namespace {

// restore-YYYYMMDD-HHMMSS[.N]-<snapshot file name>.reg: the time sorts the files, N
// tells apart restores of one second.
constexpr std::string_view kPrefix = "restore-";
constexpr std::string_view kSuffix = ".reg";
constexpr std::size_t kStampLength = 15;  // YYYYMMDD-HHMMSS
constexpr unsigned kMostInOneSecond = 1000;
// Bytes of the snapshot's name in an undo file's name (file names may have 255).
constexpr std::size_t kLongestSourceName = 120;
constexpr std::string_view kGivesBack = "Gives back ";
constexpr std::string_view kTakesBack = "Takes back the restore of ";

struct UndoName {
  std::string name;
  std::string stamp;
  unsigned sequence = 1;
};

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<UndoName> ParseUndoName(const std::string& name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return std::nullopt;
  const std::string_view rest = std::string_view(name).substr(kPrefix.size());
  if (rest.size() < kStampLength + 1 + kSuffix.size() || rest[8] != '-' ||
      !IsDigits(rest.substr(0, 8)) || !IsDigits(rest.substr(9, 6))) {
    return std::nullopt;
  }
  UndoName parsed{name, std::string(rest.substr(0, kStampLength)), 1};
  std::string_view after = rest.substr(kStampLength);
  if (after.starts_with('.')) {
    const std::size_t dash = after.find('-');
    if (dash == std::string_view::npos || !IsDigits(after.substr(1, dash - 1)) || dash > 5) {
      return std::nullopt;
    }
    parsed.sequence = static_cast<unsigned>(std::stoul(std::string(after.substr(1, dash - 1))));
    after.remove_prefix(dash);
  }
  if (!after.starts_with('-')) return std::nullopt;
  return parsed;
}

// The undo files of `folder`, newest first.
std::vector<UndoName> UndoNamesIn(const std::string& folder) {
  std::vector<UndoName> names;
  for (const std::string& name : platform::FileNamesIn(folder)) {
    if (auto parsed = ParseUndoName(name)) names.push_back(std::move(*parsed));
  }
  std::sort(names.begin(), names.end(), [](const UndoName& a, const UndoName& b) {
    return a.stamp != b.stamp ? a.stamp > b.stamp : a.sequence > b.sequence;
  });
  return names;
}

// The last part of the source path, with what a file name cannot hold replaced and cut
// to a length every file system takes. An undo file's own undo is named after the
// snapshot behind it, "undo-" once before it, so that names never grow from undo to undo.
std::string SourceName(std::string_view source) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < source.size(); pos += platform::CharacterLength(source, pos)) {
    if (source[pos] == '\\' || source[pos] == '/') start = pos + 1;
  }
  std::string name(source.substr(start));
  if (const auto undo = ParseUndoName(name)) {
    const std::size_t dash = name.find('-', kPrefix.size() + kStampLength);
    name = name.substr(dash + 1, name.size() - dash - 1 - kSuffix.size());
    if (!name.starts_with("undo-")) name.insert(0, "undo-");
  }
  std::size_t pos = 0;
  for (; pos < name.size() && pos < kLongestSourceName; pos += platform::CharacterLength(name, pos)) {
    const auto c = static_cast<unsigned char>(name[pos]);
    if (c < 0x20 || std::string_view("<>:\"|?*").find(name[pos]) != std::string_view::npos)
      name[pos] = '_';
  }
  name.resize(pos);
  return name;
}

std::string Stamp() {
  const std::time_t now = std::time(nullptr);
  char text[kStampLength + 1];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", std::localtime(&now));
  return text;
}

[[noreturn]] void RefuseWithoutUndo(const std::string& folder, const std::string& reason,
                                    bool* refused) {
  if (refused != nullptr) *refused = true;
  common::Raise(common::err::kPathFileAccess,
                "No undo file could be written in the folder " +
                    platform::AnsiToUtf8(folder.empty() ? "(none)" : folder) + ": " +
                    platform::AnsiToUtf8(reason) + ". Nothing was changed.");
}

// A new file in the folder whose name no other restore has taken, numbered after the
// restores of the same second.
std::string ReserveUndoFile(const std::string& folder, std::string_view source, bool* refused) {
  const std::string stamp = Stamp();
  const std::string name = SourceName(source);
  unsigned first = 1;
  for (const UndoName& undo : UndoNamesIn(folder)) {
    if (undo.stamp == stamp) first = std::max(first, undo.sequence + 1);
  }
  for (unsigned sequence = first; sequence <= kMostInOneSecond; ++sequence) {
    const std::string file = platform::PathInFolder(
        folder, std::string(kPrefix) + stamp + (sequence == 1 ? "" : "." + std::to_string(sequence)) +
                    "-" + name + std::string(kSuffix));
    std::string reason;
    switch (platform::CreateNewFile(file, reason)) {
      case platform::NewFile::kCreated:
        return file;
      case platform::NewFile::kFailed:
        RefuseWithoutUndo(folder, reason, refused);
      case platform::NewFile::kExists:
        break;
    }
  }
  RefuseWithoutUndo(folder, "too many restores in one second", refused);
}

void KeepNewest(const std::string& folder) {
  const std::vector<UndoName> names = UndoNamesIn(folder);
  for (std::size_t i = kKeptUndoFiles; i < names.size(); ++i) {
    platform::RemoveFile(platform::PathInFolder(folder, names[i].name));
  }
}

// The first `limit` bytes of the file, or all of it.
std::string ReadFileStart(const std::string& path, std::size_t limit = std::string::npos) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      std::fopen(platform::NativePath(path).c_str(), "rb"), &std::fclose);
  if (!file) throw std::system_error(errno, std::generic_category(), platform::AnsiToUtf8(path));
  std::string bytes;
  // Sized from the start: grown block by block, a whole undo file of 100 000 values
  // would be copied and given fresh memory at every doubling.
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    if (const long size = std::ftell(file.get()); size > 0) {
      bytes.reserve(std::min(limit, static_cast<std::size_t>(size)));
    }
    std::rewind(file.get());
  }
  char block[1 << 16];
  while (bytes.size() < limit) {
    const std::size_t count =
        std::fread(block, 1, std::min(sizeof block, limit - bytes.size()), file.get());
    if (count == 0) break;
    bytes.append(block, count);
  }
  if (std::ferror(file.get())) {
    throw std::system_error(EIO, std::generic_category(), platform::AnsiToUtf8(path));
  }
  return bytes;
}

// The comment lines of an undo file: the source and the count.
UndoFileInfo ReadInfo(const std::string& path) {
  UndoFileInfo info{path, {}, 0};
  // The comments stand in the first lines; a whole file of 100 000 values need not be
  // read for them, nor the twenty files of the folder when an undo looks for the newest.
  constexpr std::size_t kHead = 8192;
  std::string bytes;
  common::Guarded([&] { bytes = ReadFileStart(path, kHead + 2); });
  std::string text;
  if (bytes.starts_with("\xFF\xFE")) {
    platform::Utf16LeToUtf8(std::string_view(bytes).substr(2, std::min(bytes.size() - 2, kHead) & ~std::size_t{1}), text);
  } else {
    text = platform::AnsiToUtf8(std::string_view(bytes).substr(0, kHead));
  }
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", start), text.size());
    const std::string_view line = std::string_view(text).substr(start, end - start);
    if (line.starts_with("; ")) {
      const std::string_view comment = line.substr(2);
      if (comment.starts_with(kTakesBack)) info.source = comment.substr(kTakesBack.size());
      if (comment.starts_with(kGivesBack)) {
        const std::string_view count = comment.substr(kGivesBack.size());
        const std::size_t digits = count.find(' ');
        if (IsDigits(count.substr(0, digits))) info.values = std::stoull(std::string(count.substr(0, digits)));
      }
    }
    start = end + 2;
  }
  return info;
}

// Whether `path` is the settings root or below it: an undo takes back a restore, never
// more.
bool WithinSettings(std::string_view path) {
  const std::string folded = platform::reg::FoldName(path);
  static const std::string root = platform::reg::FoldName(platform::kSettingsRoot);
  return folded.starts_with(root) || folded == root.substr(0, root.size() - 1);
}

}  // namespace

// The undo file's bytes straight into the file, restarted when the export falls back to
// its ANSI form: the temporary file of the first attempt goes with its writer.
class UndoFileSink final : public platform::reg::RegExportSink {
 public:
  explicit UndoFileSink(std::string file) : file_(std::move(file)) { writer_.emplace(file_); }
  void Write(std::string_view bytes) override { writer_->Write(bytes); }
  void Restart() override {
    writer_.reset();
    writer_.emplace(file_);
  }
  void Commit() { writer_->Commit(); }

 private:
  std::string file_;
  std::optional<platform::AtomicFileWriter> writer_;
};

void WriteUndoFile(StoreKeys& keys, std::span<const platform::RegChange> batch,
                   ValueWrites writes, std::string_view source, bool* refused) {
  const UndoPlan plan = PlanUndo(keys, batch, writes);
  if (plan.Empty()) return;
  std::string folder, reason;
  if (!platform::MakeUndoFolder(folder, reason)) RefuseWithoutUndo(folder, reason, refused);
  const std::string comment = std::string(kTakesBack) + std::string(source) + "\n" +
                              std::string(kGivesBack) + std::to_string(plan.values) + " values";
  const std::string file = ReserveUndoFile(folder, source, refused);
  try {
    UndoFileSink sink(file);
    platform::reg::FormatRegExport([&plan](const auto& visit) { plan.ForEach(visit); }, comment,
                                   sink);
    sink.Commit();
  } catch (const std::system_error& error) {
    platform::RemoveFile(file);
    RefuseWithoutUndo(folder, file + ": " + error.code().message(), refused);
  }
  KeepNewest(folder);
}

std::vector<UndoFileInfo> ListUndoFiles() {
  const std::string folder = platform::UndoFolderPath();
  std::vector<UndoFileInfo> files;
  for (const UndoName& name : UndoNamesIn(folder)) {
    files.push_back(ReadInfo(platform::PathInFolder(folder, name.name)));
  }
  return files;
}

bool ApplyUndoFile(std::string_view path, platform::SettingsStore& store, bool* refused) {
  return common::TrapShow("bmRegistry_ApplyUndo", [&] {
    const std::string file(path);
    platform::RegChanges changes;
    platform::reg::ParseError error;
    if (!platform::reg::ParseRegExport(ReadFileStart(file), changes, error)) {
      common::Raise(common::err::kSubscriptOutOfRange,
                    "Line " + std::to_string(error.line) + " of the undo file: " + error.message +
                        ". Nothing was changed.");
    }
    std::string_view checked;  // the changes of one key share its path: checked once
    for (const platform::RegChange& change : changes.list) {
      if (change.keyPath == checked) continue;
      checked = change.keyPath;
      if (!WithinSettings(change.keyPath)) {
        common::Raise(common::err::kInvalidArgument,
                      "The undo file changes HKEY_CURRENT_USER\\" +
                          platform::AnsiToUtf8(change.keyPath) +
                          ", outside the settings an undo takes back. Nothing was changed.");
      }
    }
    // No other process of the tool changes the store between what the undo file reads and
    // the batch.
    const auto hold = HoldForBatch(store);
    {
      StoreKeys keys(store);
      WriteUndoFile(keys, changes.list, ValueWrites::kInPlace, file, refused);
    }
    const platform::Status status = store.ApplyChanges(changes.list);
    if (status != platform::kSuccess) {
      RaiseStoreFailure(status, "refused the undo", store.LastFailureDescription());
    }
  });
}

}  // namespace bmRegistry
