#include "snapshot/restore_check.h"

#include "common/basbase.h"
#include "platform/byte_find.h"
#include "platform/reg_tree.h"
#include "platform/settings_store.h"
#include "snapshot/record_cells.h"
#include "snapshot/restore_plan.h"
#include "snapshot/setting_line.h"

namespace bmRegistry {
namespace {

// Where a restore writes application, section and key: folded as the store matches
// names. A NUL cannot stand in a name the store keeps, so it parts key path and name.
std::string PlaceOf(std::string_view application, std::string_view section, std::string_view key) {
  return platform::reg::FoldName(application) + '\\' + platform::reg::FoldName(section) + '\0' +
         platform::reg::FoldName(key);
}

// Whether a name stands in its line as one field: no byte that could part fields or
// lines. Looked at byte by byte, a double-byte character whose trail byte is "\" or "|"
// takes the long way, which finds the same answer.
bool NameFitsOneField(std::string_view name) {
  return !platform::HoldsAnyOf(name, ",\\|\r\n");
}

// Whether the data stand in the line as the value's text: no bar (the save writes it
// as a comma) and no CR that could end the line.
bool DataFitLine(std::string_view bytes) {
  return !platform::HoldsAnyOf(bytes, "|\r");
}

}  // namespace

std::uint32_t RestoreCheck::KeyOf(std::string_view keyPath) {
  if (!keys_.empty() && keys_.back().path == keyPath) {
    return static_cast<std::uint32_t>(keys_.size() - 1);
  }
  Key& key = keys_.emplace_back(Key{std::string(keyPath), {}, false});
  // Only the values of a key application\section can be written back, and their lines
  // put them there when neither name holds a byte that parts fields or lines.
  const std::vector<std::string> names = SplitCells(keyPath, "\\");
  if (names.size() == 2 && !names[0].empty() && !names[1].empty()) {
    key.place = PlaceOf(names[0], names[1], "");
    key.linesFit = (names[0] + names[1]).find_first_of(",|\r\n") == std::string::npos;
  }
  return static_cast<std::uint32_t>(keys_.size() - 1);
}

void RestoreCheck::Add(const StoredValue& value, std::string_view line) {
  const std::uint32_t key = KeyOf(value.keyPath);
  // A name or text the ANSI code page cannot carry reached the line as other text, and
  // a restore would write that other text back.
  if (!value.exact) {
    ReadBack(value, line, entries_.size());
    AddEntry(key, value.name, Fate::kLost);
    return;
  }
  // The common line: application,section,name,data with nothing to part them further;
  // the restore writes the value's own place with its text, which leaves it as it is.
  Fate fate = keys_[key].linesFit && NameFitsOneField(value.name) && DataFitLine(value.bytes)
                  ? Fate::kOwnPlace
                  : ReadBack(value, line, entries_.size());
  AddEntry(key, value.name, fate);
}

void RestoreCheck::AddEntry(std::uint32_t key, std::string_view name, Fate fate) {
  entries_.push_back({names_.size(), key, static_cast<std::uint32_t>(name.size()), fate});
  names_ += name;
}

std::string_view RestoreCheck::NameOf(const Entry& entry) const {
  return std::string_view(names_).substr(entry.nameStart, entry.nameLength);
}

RestoreCheck::Fate RestoreCheck::ReadBack(const StoredValue& value, std::string_view line,
                                          std::size_t index) {
  Fate fate = Fate::kLost;
  // A CR LF inside the data ends the line there for the reader: its pieces are lines
  // of their own, and the value cannot come back from any of them.
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find("\r\n", start);
    const std::string_view piece = line.substr(start, end - start);
    platform::SettingWrite write;
    if (!ParseSettingLine(piece, write).empty()) {
      wholeFileRefused_ = true;
    } else if (piece.size() == line.size() &&
               write.application + "\\" + write.section == value.keyPath &&
               write.key == value.name && LeavesAsItIs(value.bytes, write.text)) {
      fate = Fate::kOwnPlace;
    } else {
      strayWrites_[PlaceOf(write.application, write.section, write.key)] = index;
    }
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  return fate;
}

void RestoreCheck::AddLeftOut(const StoredValue& value) {
  AddEntry(KeyOf(value.keyPath), value.name, Fate::kLost);
}

RestoreShortfall RestoreCheck::Result() const {
  RestoreShortfall shortfall;
  shortfall.wholeFileRefused = wholeFileRefused_;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    const Key& key = keys_[entry.key];
    bool lost = entry.fate == Fate::kLost;
    if (!lost && !strayWrites_.empty()) {
      const auto stray = strayWrites_.find(key.place + platform::reg::FoldName(NameOf(entry)));
      lost = stray != strayWrites_.end() && stray->second > i;
    }
    if (lost) {
      shortfall.settings.push_back(basBase::WithTrailing(key.path, "\\") +
                                   std::string(NameOf(entry)));
    }
  }
  return shortfall;
}

}  // namespace bmRegistry
