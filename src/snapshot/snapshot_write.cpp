// Saving the settings store as a snapshot file.
#include <exception>
#include <optional>

#include "common/basbase.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/atomic_file.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"
#include "snapshot/restore_check.h"
#include "snapshot/settings_root.h"

namespace bmRegistry {
namespace {

// The snapshot's text, one line per value: the value's record (MakeRecord) with its
// cells joined by commas. Made straight from the value: a key's values come one after
// another, so the key's part of the line is made once. The lines go to the file a
// block at a time (TakeBlock), so a large store's text is never held whole.
class SnapshotLines {
 public:
  // Appends the value's line without its line end; gives the line.
  std::string_view AppendLine(const StoredValue& value) {
    if (value.keyPath != keyPath_) {
      keyPath_ = value.keyPath;
      keyPart_.clear();
      // A "\" is never a lead byte, so the key's part joins alone as it joins before
      // any name.
      AppendJoined(keyPart_, basBase::WithTrailing(keyPath_, "\\"), "\\|", ',');
    }
    const std::size_t start = text_.size();
    text_ += keyPart_;
    AppendJoined(text_, value.name, "\\|", ',');
    text_ += ',';
    // The data as the record has them: without NULs.
    std::string_view data = value.bytes;
    if (!data.empty() && data.back() == '\0') data.remove_suffix(1);
    if (data.find('\0') != std::string_view::npos) {
      withoutNuls_ = WithoutNuls(data);
      data = withoutNuls_;
    }
    AppendJoined(text_, data, "|", ',');
    return std::string_view(text_).substr(start);
  }
  void EndLine() { text_ += "\r\n"; }
  bool BlockFull() const { return text_.size() >= kBlockSize; }
  // The lines made since the last block; the next line starts a new one.
  std::string_view TakeBlock() {
    block_.swap(text_);
    text_.clear();
    return block_;
  }

 private:
  static constexpr std::size_t kBlockSize = 1 << 20;

  std::string text_;
  std::string block_;
  std::string keyPath_;  // "" with keyPart_ "": the root's values
  std::string keyPart_;
  std::string withoutNuls_;
};

}  // namespace

bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store,
                         RestoreShortfall* shortfall) {
  bool result = false;
  common::TrapLog("bmRegistry_GetCurrentKeyToFile", [&] {
    common::BusyPointer busy;
    // The store is read whole before the file is touched: an empty or missing store
    // leaves an earlier snapshot as it was.
    const auto root = OpenSettingsRootShown(store, "bmRegistry_GetCurrentKeyToFile");
    if (!root) return;
    SnapshotLines text;
    RestoreCheck check;
    // The new snapshot replaces the old one only once it is complete on disk, so a
    // failed save keeps the previous snapshot; a store with no value leaves it alone.
    std::optional<platform::AtomicFileWriter> file;
    const auto write = [&](std::string_view block) {
      if (!file) file.emplace(path);
      file->Write(block);
    };
    // The walk reports what fails inside it as its own trouble and goes on with the next
    // key: a failed write is kept, and ends the save once the walk is over.
    std::exception_ptr writeFailure;
    const ValueVisitor leftOut = [&](const StoredValue& value) { check.AddLeftOut(value); };
    WalkValues(
        *root, "",
        [&](const StoredValue& value) {
          check.Add(value, text.AppendLine(value));
          text.EndLine();
          if (!text.BlockFull() || writeFailure) return;
          try {
            write(text.TakeBlock());
          } catch (...) {
            writeFailure = std::current_exception();
          }
        },
        &leftOut);
    if (writeFailure) std::rethrow_exception(writeFailure);
    const std::string_view rest = text.TakeBlock();
    if (!file && rest.empty()) return;
    write(rest);
    file->Commit();
    if (shortfall != nullptr) *shortfall = check.Result();
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
