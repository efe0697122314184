#include "snapshot/setting_writes.h"

#include <string>

#include "common/failure.h"
#include "platform/ansi_codepage.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {
namespace {

[[noreturn]] void RaiseBadLine(std::size_t lineNumber, std::string_view problem,
                               std::string_view consequence) {
  common::Raise(common::err::kSubscriptOutOfRange,
                "Line " + std::to_string(lineNumber) + " of the snapshot " + std::string(problem) +
                    "; a setting needs application,section,key,data. " + std::string(consequence));
}

// application, section and key are the first three fields; the data is everything
// after the third comma, commas included.
platform::SettingWrite ParseSettingLine(std::string_view line, std::size_t lineNumber,
                                        std::string_view consequence) {
  std::size_t commas[3];
  std::size_t found = 0;
  for (std::size_t pos = 0; pos < line.size() && found < 3;) {
    const std::size_t length = platform::CharacterLength(line, pos);
    if (length == 1 && line[pos] == ',') commas[found++] = pos;
    pos += length;
  }
  if (found < 3) {
    RaiseBadLine(lineNumber,
                 "has " + std::to_string(found + 1) + (found == 0 ? " field" : " fields"),
                 consequence);
  }
  platform::SettingWrite write{
      std::string(line.substr(0, commas[0])),
      std::string(line.substr(commas[0] + 1, commas[1] - commas[0] - 1)),
      std::string(line.substr(commas[1] + 1, commas[2] - commas[1] - 1)),
      std::string(line.substr(commas[2] + 1)),
  };
  // Without them the value would land outside any application's section.
  if (write.application.empty() || write.section.empty()) {
    RaiseBadLine(lineNumber, "names no application or no section", consequence);
  }
  return write;
}

}  // namespace

std::vector<platform::SettingWrite> ReadSettingWrites(const std::string& file,
                                                      std::string_view consequence) {
  std::vector<platform::SettingWrite> writes;
  SnapshotLineReader reader(file);
  std::string line;
  while (reader.Next(line)) {
    writes.push_back(ParseSettingLine(line, reader.LineNumber(), consequence));
  }
  return writes;
}

}  // namespace bmRegistry
