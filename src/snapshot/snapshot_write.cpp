// Saving the settings store as a snapshot file.
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
// another, so the key's part of the line is made once.
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
  const std::string& text() const { return text_; }

 private:
  std::string text_;
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
    const ValueVisitor leftOut = [&](const StoredValue& value) { check.AddLeftOut(value); };
    WalkValues(
        *root, "",
        [&](const StoredValue& value) {
          check.Add(value, text.AppendLine(value));
          text.EndLine();
        },
        &leftOut);
    if (text.text().empty()) return;
    // The new snapshot replaces the old one only once it is complete on disk, so a
    // failed save keeps the previous snapshot.
    platform::AtomicFileWriter file(path);
    file.Write(text.text());
    file.Commit();
    if (shortfall != nullptr) *shortfall = check.Result();
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
