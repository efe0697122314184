#pragma once
// Reading one value of an open key, as the walk and the comparison with a snapshot do.
#include <cstdint>
#include <string>

#include "platform/settings_store.h"

namespace bmRegistry {

// Value `index` of `key`: its name and data without NUL bytes, and its type when `type`
// is given. Names of any valid length are read; a value that grows between the size
// query and the read is read again.
platform::Status ReadValue(platform::SettingsKey& key, std::uint32_t index, std::string& name,
                           std::string& data, std::uint32_t* type = nullptr);

}  // namespace bmRegistry
