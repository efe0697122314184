#include "snapshot/restore_check.h"

#include "common/basbase.h"
#include "platform/reg_tree.h"
#include "platform/settings_store.h"
#include "snapshot/record_cells.h"
#include "snapshot/setting_line.h"

namespace bmRegistry {
namespace {

// Where a restore writes: key path and value name folded as the store matches them,
// empty names in the key path passed over as the store passes them over.
std::string PlaceOf(const platform::SettingWrite& write) {
  std::string place;
  for (const std::string& name : SplitCells(write.application + "\\" + write.section, "\\")) {
    if (!name.empty()) place += platform::reg::FoldName(name) + '\\';
  }
  // A NUL cannot stand in a name the store keeps, so it parts path and value name.
  return place + '\0' + platform::reg::FoldName(write.key);
}

// A string value whose text holds no NUL comes back as it was; any other type comes
// back as a string, and a NUL inside the text is lost with what the walk drops.
bool IsPlainString(const StoredValue& value, std::string_view& text) {
  text = value.bytes;
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return value.type == platform::kTypeString && text.find('\0') == std::string_view::npos;
}

}  // namespace

void RestoreCheck::Add(const StoredValue& value, std::string_view line) {
  const std::size_t index = checked_.size();
  Checked& checked =
      checked_.emplace_back(Checked{basBase::WithTrailing(value.keyPath, "\\") + value.name, {}});
  std::string_view text;
  const bool plainString = IsPlainString(value, text);
  // A CR LF inside the data ends the line there for the reader: its pieces are lines
  // of their own, and the value cannot come back from any of them.
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find("\r\n", start);
    const std::string_view piece = line.substr(start, end - start);
    platform::SettingWrite write;
    if (!ParseSettingLine(piece, write).empty()) {
      wholeFileRefused_ = true;
    } else {
      std::string place = PlaceOf(write);
      lastWriter_[place] = index;
      if (piece.size() == line.size() && plainString && value.exact &&
          write.application + "\\" + write.section == value.keyPath && write.key == value.name &&
          write.text == text) {
        checked.target = std::move(place);
      }
    }
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
}

RestoreShortfall RestoreCheck::Result() const {
  RestoreShortfall shortfall;
  shortfall.wholeFileRefused = wholeFileRefused_;
  for (std::size_t i = 0; i < checked_.size(); ++i) {
    const Checked& checked = checked_[i];
    if (!checked.target || lastWriter_.at(*checked.target) != i) {
      shortfall.settings.push_back(checked.path);
    }
  }
  return shortfall;
}

}  // namespace bmRegistry
