// Restoring a snapshot file into the settings store. The whole file is checked before
// anything is written, and then written as one batch: a bad line changes nothing, and
// no unrelated setting is ever deleted on the way.
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "snapshot/bmregistry.h"
#include "snapshot/settings_root.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {
namespace {

[[noreturn]] void RaiseBadLine(std::size_t lineNumber, std::string_view problem) {
  common::Raise(common::err::kSubscriptOutOfRange,
                "Line " + std::to_string(lineNumber) + " of the snapshot " + std::string(problem) +
                    "; a setting needs application,section,key,data. Nothing was restored.");
}

// application, section and key are the first three fields; the data is everything
// after the third comma, commas included.
platform::SettingWrite ParseSettingLine(std::string_view line, std::size_t lineNumber) {
  std::size_t commas[3];
  std::size_t found = 0;
  for (std::size_t pos = 0; pos < line.size() && found < 3;) {
    const std::size_t length = platform::CharacterLength(line, pos);
    if (length == 1 && line[pos] == ',') commas[found++] = pos;
    pos += length;
  }
  if (found < 3) {
    RaiseBadLine(lineNumber,
                 "has " + std::to_string(found + 1) + (found == 0 ? " field" : " fields"));
  }
  platform::SettingWrite write{
      std::string(line.substr(0, commas[0])),
      std::string(line.substr(commas[0] + 1, commas[1] - commas[0] - 1)),
      std::string(line.substr(commas[1] + 1, commas[2] - commas[1] - 1)),
      std::string(line.substr(commas[2] + 1)),
  };
  // Without them the value would land outside any application's section.
  if (write.application.empty() || write.section.empty()) {
    RaiseBadLine(lineNumber, "names no application or no section");
  }
  return write;
}

}  // namespace

bool LoadRegistry(std::string_view path, platform::SettingsStore& store) {
  bool result = false;
  common::TrapShow("bmRegistry_LoadRegistry", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    platform::Status status;
    {
      common::BusyPointer busy;
      std::vector<platform::SettingWrite> writes;
      SnapshotLineReader reader(*file);
      std::string line;
      while (reader.Next(line)) writes.push_back(ParseSettingLine(line, reader.LineNumber()));
      status = store.RestoreSettings(writes);
    }
    if (status != platform::kSuccess) {
      RaiseStoreFailure(status, "refused the restore", store.LastFailureDescription());
    }
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
