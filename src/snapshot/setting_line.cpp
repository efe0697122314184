#include "snapshot/setting_line.h"

#include "common/failure.h"
#include "platform/ansi_codepage.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {

std::string ParseSettingLine(std::string_view line, platform::SettingWrite& write) {
  std::size_t commas[3];
  std::size_t found = 0;
  for (std::size_t pos = 0; pos < line.size() && found < 3;) {
    const std::size_t length = platform::CharacterLength(line, pos);
    if (length == 1 && line[pos] == ',') commas[found++] = pos;
    pos += length;
  }
  constexpr std::string_view kNeeds = "; a setting needs application,section,key,data";
  // Before the fields are counted: a byte that is no character may have taken a comma as
  // its trail byte. Such a line would be stored as other text than it holds.
  if (!platform::StoreKeepsTextExactly(line)) {
    return "holds text that this computer's code page cannot store exactly";
  }
  if (found < 3) {
    return "has " + std::to_string(found + 1) + (found == 0 ? " field" : " fields") +
           std::string(kNeeds);
  }
  write = {
      std::string(line.substr(0, commas[0])),
      std::string(line.substr(commas[0] + 1, commas[1] - commas[0] - 1)),
      std::string(line.substr(commas[1] + 1, commas[2] - commas[1] - 1)),
      std::string(line.substr(commas[2] + 1)),
  };
  // Without them the value would land outside any application's section.
  if (write.application.empty() || write.section.empty()) {
    return "names no application or no section" + std::string(kNeeds);
  }
  return {};
}

std::vector<platform::SettingWrite> ReadSettingWrites(const std::string& file,
                                                      std::string_view consequence) {
  std::vector<platform::SettingWrite> writes;
  SnapshotLineReader reader(file);
  std::string line;
  while (reader.Next(line)) {
    const std::string problem = ParseSettingLine(line, writes.emplace_back());
    if (!problem.empty()) {
      common::Raise(common::err::kSubscriptOutOfRange,
                    "Line " + std::to_string(reader.LineNumber()) + " of the snapshot " + problem +
                        ". " + std::string(consequence));
    }
  }
  return writes;
}

}  // namespace bmRegistry
