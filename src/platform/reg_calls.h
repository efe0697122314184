#pragma once
// The registry calls the settings store offers, carried out on an in-memory tree with
// the registry's status codes: path rules, name limits, the buffer protocol of the
// enumeration calls, and what SaveSetting and DeleteSetting do.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/reg_tree.h"
#include "platform/settings_store.h"

namespace platform::reg {

// Whether a name holds what the store cannot keep in one: a line break (the settings file
// keeps one name per line) or a NUL (the 8-bit calls end a name there).
bool HoldsLineBreakOrNul(std::string_view name);

// The names of a registry path: a "\" that is the trail byte of a double-byte character
// separates nothing, empty names are passed over; 161 for a leading "\".
Status SplitKeyPath(std::string_view path, std::vector<std::string_view>& names);

// RegOpenKeyA relative to `from`. Names are separated by "\"; a trailing "\" and empty
// names between two "\" are passed over; a leading "\" is 161; a missing key is 2.
Status OpenPath(const Key& from, std::string_view path, const Key*& out);

// RegCreateKeyA: opens `path` below `from`, creating every missing level. A name that
// the store cannot hold is refused with 87 before anything is created, and `reason`
// says why. `created` tells whether any level was added.
Status CreatePath(Key& from, std::string_view path, Key*& out, bool& created, std::string& reason);

// RegSetValueExA after CreatePath: the key is created where missing.
Status SetValue(Key& from, std::string_view path, std::string_view name, std::uint32_t type,
                std::string_view bytes, std::string& reason);

// The changes of an export file (RegChange) on the tree in order; see
// SettingsStore::ApplyChanges. The key of consecutive values of one key is found once. A
// key path that names `currentUser` itself, or a name the store cannot hold, is refused
// with 87: `failed` is the change's place and `reason` says why.
Status ApplyChanges(Key& currentUser, std::span<const RegChange> changes, std::size_t& failed,
                    std::string& reason);

// RegEnumKeyA and RegEnumValueA on one key, with the buffer rules of settings_store.h.
Status EnumKeyName(const Key& key, std::uint32_t index, char* name, std::uint32_t capacity);
Status EnumValueEntry(const Key& key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                      std::uint32_t* type, unsigned char* data, std::uint32_t* dataLength);

// SaveSetting and DeleteSetting below the settings root of `currentUser`.
Status SaveSetting(Key& currentUser, std::string_view application, std::string_view section,
                   std::string_view key, std::string_view text, std::string& reason);
Status DeleteSetting(Key& currentUser, std::string_view application, std::string_view section,
                     std::string_view key, std::string& reason);

// A restore's writes, each a DeleteSetting (its failure ignored) then a SaveSetting, with
// the same checks; the key of consecutive writes to one section is found once. On a
// refusal `failed` is the write's place and `reason` says why.
Status RestoreSettings(Key& currentUser, std::span<const SettingWrite> writes, std::size_t& failed,
                       std::string& reason);

}  // namespace platform::reg
