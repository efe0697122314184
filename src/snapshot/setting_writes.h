#pragma once
// The settings a snapshot file asks a restore to write, read and checked as the restore
// reads them; the comparison with the store reads them the same way.
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace bmRegistry {

// Every line of the file (as LocateSnapshot found it) as one setting, in file order.
// A line with fewer than four fields, or no application or section, raises a failure
// whose description names the line and ends with `consequence`.
std::vector<platform::SettingWrite> ReadSettingWrites(const std::string& file,
                                                      std::string_view consequence);

}  // namespace bmRegistry
