#include "snapshot/setting_line.h"

#include "common/failure.h"
#include "platform/ansi_codepage.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {

std::string ParseSettingLine(std::string_view line, platform::SettingWrite& write) {
  std::size_t commas[3];
  std::size_t found = 0;
  bool keyBelowSection = false;
  for (std::size_t pos = 0; pos < line.size() && found < 3;) {
    // No lead byte is ASCII: the code page is asked only about the bytes above it.
    if (static_cast<unsigned char>(line[pos]) >= 0x80) {
      pos += platform::CharacterLength(line, pos);
      continue;
    }
    if (line[pos] == ',') commas[found++] = pos;
    if (line[pos] == '\\' && found < 2) keyBelowSection = true;
    ++pos;
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
  // Such a line would make a key below the section, and from then on every snapshot
  // would leave out the section's own values.
  if (keyBelowSection) return "has a \"\\\" in its application or section";
  // The stored text would end at the NUL, and no later restore would match the file.
  if (write.text.find('\0') != std::string::npos) return "has a NUL byte in its data";
  return {};
}

std::vector<platform::SettingWrite> ReadSettingWrites(const std::string& file,
                                                      std::string_view consequence) {
  std::vector<platform::SettingWrite> writes;
  SnapshotLineReader reader(file, consequence);
  // Room for every line at once: a large file's list is not moved while it grows.
  writes.reserve(reader.LinesAtMost());
  std::string line;
  while (reader.Next(line)) {
    const std::string problem = ParseSettingLine(line, writes.emplace_back());
    if (!problem.empty()) reader.RaiseBadLine(problem);
  }
  return writes;
}

}  // namespace bmRegistry
