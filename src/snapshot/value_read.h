#pragma once
// Reading one value of an open key, as the walk and the comparison with a snapshot do.
#include <cstdint>

#include "platform/settings_store.h"
#include "snapshot/bmregistry.h"

namespace bmRegistry {

// Value `index` of `key` into `value`: its name without NUL bytes, its type and its
// data bytes as stored; `value.keyPath` is left alone. Names of any valid length are
// read; a value that grows between the size query and the read is read again.
platform::Status ReadValue(platform::SettingsKey& key, std::uint32_t index, StoredValue& value);

}  // namespace bmRegistry
