#pragma once
// How the restore reads one snapshot line. The save reads its own lines the same way
// to tell which settings the file cannot give back.
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace bmRegistry {

// application, section and key are the first three fields of `line`; the data is
// everything after the third comma, commas included. Empty text when the line names a
// setting (then in `write`), else why it names none ("has 2 fields").
std::string ParseSettingLine(std::string_view line, platform::SettingWrite& write);

}  // namespace bmRegistry
