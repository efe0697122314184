#pragma once
// How the restore reads a snapshot line. The comparison with the store reads the file
// the same way, and the save reads its own lines so to tell which settings the file
// cannot give back.
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace bmRegistry {

// application, section and key are the first three fields of `line`; the data is
// everything after the third comma, commas included. Empty text when the line names a
// setting (then in `write`), else why it names none ("has 2 fields").
std::string ParseSettingLine(std::string_view line, platform::SettingWrite& write);

// Every line of the file (as LocateSnapshot found it) as one setting, in file order.
// A line that names no setting raises a failure whose description names the line and
// ends with `consequence`.
std::vector<platform::SettingWrite> ReadSettingWrites(const std::string& file,
                                                      std::string_view consequence);

}  // namespace bmRegistry
