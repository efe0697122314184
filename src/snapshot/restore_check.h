#pragma once
// Which settings a snapshot file cannot give back. The file keeps its plain comma format,
// so a comma or a bar in a name, a value below a deeper key, or data holding a bar or
// CR LF do not come back as they were, and a value of a key that has sub-keys is not in
// the file at all; the save tells the user which settings those are, as a restore of the
// file would find them.
//
// The save checks every value it writes, so the common line is judged from the value
// alone (each key path once, since a key's values come one after another); only a line
// with a comma, bar or CR in its name or data is read back as the restore reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "snapshot/bmregistry.h"

namespace bmRegistry {

class RestoreCheck {
 public:
  // A value the file holds: its line as written, without its CR LF, in file order.
  void Add(const StoredValue& value, std::string_view line);
  // A value the file leaves out, as the walk leaves out the values of a key that has
  // sub-keys.
  void AddLeftOut(const StoredValue& value);
  RestoreShortfall Result() const;

 private:
  struct Key {
    std::string path;  // below the settings root, for the user
    // Where its values live as a restore line names them (folded as the store matches
    // names); empty when no line can name it (a key deeper than application\section).
    std::string place;
    bool linesFit;  // its names stand in a line as two fields
  };
  enum class Fate : std::uint8_t { kOwnPlace, kLost };
  // One per value; its name is kept in names_, so that a large store's check does not
  // hold a string per value.
  struct Entry {
    std::size_t nameStart;
    std::uint32_t key;
    std::uint32_t nameLength;
    Fate fate;
  };

  std::uint32_t KeyOf(std::string_view keyPath);
  void AddEntry(std::uint32_t key, std::string_view name, Fate fate);
  std::string_view NameOf(const Entry& entry) const;
  // Reads the line as the restore will: its fate, and where each piece of it writes.
  Fate ReadBack(const StoredValue& value, std::string_view line, std::size_t index);

  std::vector<Key> keys_;
  std::vector<Entry> entries_;
  std::string names_;
  // Where lines write that do not put their own value back: the place (folded as the
  // store matches names) and the last entry whose line writes there. A value whose
  // place a later line writes does not come back.
  std::unordered_map<std::string, std::size_t> strayWrites_;
  bool wholeFileRefused_ = false;
};

}  // namespace bmRegistry
