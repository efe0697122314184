#pragma once
// Which settings a snapshot file cannot give back. The file keeps its plain comma format,
// so a comma or a bar in a name, a value below a deeper key, a value that is not a
// string, or data holding CR LF do not come back as they were; the save reads each line
// it writes as the restore will, to tell the user which settings those are.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "snapshot/bmregistry.h"

namespace bmRegistry {

class RestoreCheck {
 public:
  // The value's line as the file holds it, without its CR LF, in file order.
  void Add(const StoredValue& value, std::string_view line);
  RestoreShortfall Result() const;

 private:
  struct Checked {
    std::string path;  // application\section\key, for the user
    // Where its own line puts it back exactly; none when the line does not.
    std::optional<std::string> target;
  };
  std::vector<Checked> checked_;
  // Every place a line writes (key path and value name, folded as the store matches
  // names), with the last value whose line writes there: a later line overwrites it.
  std::unordered_map<std::string, std::size_t> lastWriter_;
  bool wholeFileRefused_ = false;
};

}  // namespace bmRegistry
