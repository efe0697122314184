#include "platform/reg_calls.h"

#include <cstring>
#include <limits>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/byte_find.h"

namespace platform::reg {

Status SplitKeyPath(std::string_view path, std::vector<std::string_view>& names) {
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos <= path.size();) {
    if (pos == path.size() || path[pos] == '\\') {
      if (pos > start) names.push_back(path.substr(start, pos - start));
      start = ++pos;
      continue;
    }
    pos += CharacterLength(path, pos);
  }
  return kSuccess;
}

namespace {

Status CheckName(std::string_view name, std::size_t limit, const char* what, std::string& reason) {
  if (name.size() > limit) {
    reason = std::string("a ") + what + " of " + std::to_string(name.size()) +
             " bytes is longer than the " + std::to_string(limit) + " the registry allows";
    return kInvalidParameter;
  }
  if (HoldsLineBreakOrNul(name)) {
    reason = std::string("the ") + what + " \"" + std::string(name) +
             "\" holds a line break or NUL, which the settings file cannot keep";
    return kInvalidParameter;
  }
  return kSuccess;
}

template <typename K>
Status Descend(K& from, std::string_view path, K*& out) {
  std::vector<std::string_view> names;
  if (const Status status = SplitKeyPath(path, names); status != kSuccess) return status;
  K* key = &from;
  for (const std::string_view name : names) {
    key = key->FindSubKey(name);
    if (key == nullptr) return kNotFound;
  }
  out = key;
  return kSuccess;
}

std::string SectionPath(std::string_view application, std::string_view section) {
  std::string path(kSettingsRoot);
  path.append(application).append("\\").append(section);
  return path;
}

// An empty application or section would name the settings root or the application
// itself, where the walk does not read a setting back as it was saved.
Status CheckSection(std::string_view application, std::string_view section, std::string& reason) {
  if (!application.empty() && !section.empty()) return kSuccess;
  reason = "a setting needs an application and a section name";
  return kInvalidParameter;
}

}  // namespace

bool HoldsLineBreakOrNul(std::string_view name) {
  return HoldsAnyOf(name, std::string_view("\r\n\0", 3));
}

Status OpenPath(const Key& from, std::string_view path, const Key*& out) {
  return Descend(from, path, out);
}

Status CreatePath(Key& from, std::string_view path, Key*& out, bool& created, std::string& reason) {
  std::vector<std::string_view> names;
  if (const Status status = SplitKeyPath(path, names); status != kSuccess) {
    reason = "the key path \"" + std::string(path) + "\" starts with \"\\\"";
    return status;
  }
  for (const std::string_view name : names) {
    if (const Status status = CheckName(name, kMaxKeyNameLength, "key name", reason);
        status != kSuccess) {
      return status;
    }
  }
  created = false;
  Key* key = &from;
  for (const std::string_view name : names) {
    bool added = false;
    key = &key->CreateSubKey(name, added);
    created = created || added;
  }
  out = key;
  return kSuccess;
}

namespace {

Status CheckValue(std::string_view name, std::string_view bytes, std::string& reason) {
  if (const Status status = CheckName(name, kMaxValueNameLength, "value name", reason);
      status != kSuccess) {
    return status;
  }
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
    reason = "the data of \"" + std::string(name) + "\" are larger than a value can hold";
    return kInvalidParameter;
  }
  return kSuccess;
}

}  // namespace

Status SetValue(Key& from, std::string_view path, std::string_view name, std::uint32_t type,
                std::string_view bytes, std::string& reason) {
  if (const Status status = CheckValue(name, bytes, reason); status != kSuccess) return status;
  Key* key = nullptr;
  bool created = false;
  if (const Status status = CreatePath(from, path, key, created, reason); status != kSuccess) {
    return status;
  }
  key->SetValue(std::string(name), type, std::string(bytes));
  return kSuccess;
}

Status EnumKeyName(const Key& key, std::uint32_t index, char* name, std::uint32_t capacity) {
  if (name == nullptr) return kInvalidParameter;
  if (index >= key.SubKeyCount()) return kNoMoreItems;
  const std::string& found = key.SubKeyAt(index).name();
  if (capacity <= found.size()) return kMoreData;
  std::memcpy(name, found.data(), found.size());
  name[found.size()] = '\0';
  return kSuccess;
}

Status EnumValueEntry(const Key& key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                      std::uint32_t* type, unsigned char* data, std::uint32_t* dataLength) {
  if (name == nullptr || nameLength == nullptr) return kInvalidParameter;
  if (data != nullptr && dataLength == nullptr) return kInvalidParameter;
  if (index >= key.ValueCount()) return kNoMoreItems;
  const Value& value = key.ValueAt(index);
  const auto size = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  const bool nameFits = *nameLength > value.name.size();
  const bool dataFits = data == nullptr || *dataLength >= size;
  if (dataLength != nullptr) *dataLength = size;
  if (!nameFits || !dataFits) return kMoreData;
  std::memcpy(name, value.name.data(), value.name.size());
  name[value.name.size()] = '\0';
  *nameLength = static_cast<std::uint32_t>(value.name.size());
  if (data != nullptr) std::memcpy(data, value.data.data(), size);
  return kSuccess;
}

Status SaveSetting(Key& currentUser, std::string_view application, std::string_view section,
                   std::string_view key, std::string_view text, std::string& reason) {
  if (const Status status = CheckSection(application, section, reason); status != kSuccess) {
    return status;
  }
  // A string value holds its terminating NUL, as SaveSetting stores it.
  std::string bytes(text);
  bytes.push_back('\0');
  return SetValue(currentUser, SectionPath(application, section), key, kTypeString, bytes, reason);
}

Status DeleteSetting(Key& currentUser, std::string_view application, std::string_view section,
                     std::string_view key, std::string& reason) {
  if (const Status status = CheckSection(application, section, reason); status != kSuccess) {
    return status;
  }
  Key* sectionKey = nullptr;
  if (const Status status = Descend(currentUser, SectionPath(application, section), sectionKey);
      status != kSuccess) {
    return status;
  }
  return sectionKey->DeleteValue(key) ? kSuccess : kNotFound;
}

Status RestoreSettings(Key& currentUser, std::span<const SettingWrite> writes, std::size_t& failed,
                       std::string& reason) {
  Key* section = nullptr;
  std::string bytes;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const SettingWrite& write = writes[i];
    failed = i;
    const bool sameSection = section != nullptr && write.application == writes[i - 1].application &&
                             write.section == writes[i - 1].section;
    if (!sameSection) {
      if (const Status status = CheckSection(write.application, write.section, reason);
          status != kSuccess) {
        return status;
      }
    }
    // A string value holds its terminating NUL, as SaveSetting stores it.
    bytes.assign(write.text).push_back('\0');
    if (const Status status = CheckValue(write.key, bytes, reason); status != kSuccess) {
      return status;
    }
    if (!sameSection) {
      bool created = false;
      if (const Status status = CreatePath(currentUser, SectionPath(write.application, write.section),
                                           section, created, reason);
          status != kSuccess) {
        return status;
      }
    }
    section->DeleteValue(write.key);
    section->SetValue(write.key, kTypeString, std::move(bytes));
  }
  return kSuccess;
}

namespace {

// One change; `key` is the key whose value it set or deleted, if any.
Status ApplyChange(Key& currentUser, const RegChange& change, Key*& key, std::string& reason) {
  key = nullptr;
  std::vector<std::string_view> names;
  if (SplitKeyPath(change.keyPath, names) != kSuccess || names.empty()) {
    reason = "the key path \"" + std::string(change.keyPath) +
             "\" names no key below HKEY_CURRENT_USER";
    return kInvalidParameter;
  }
  switch (change.kind) {
    case RegChange::Kind::kCreateKey: {
      Key* created = nullptr;
      bool added = false;
      return CreatePath(currentUser, change.keyPath, created, added, reason);
    }
    case RegChange::Kind::kDeleteKey: {
      Key* parent = nullptr;
      const std::string_view parentPath(change.keyPath.data(),
                                        names.back().data() - change.keyPath.data());
      if (Descend(currentUser, parentPath, parent) == kSuccess) parent->DeleteSubKey(names.back());
      return kSuccess;
    }
    case RegChange::Kind::kSetValue: {
      if (const Status status = CheckValue(change.name, change.bytes, reason); status != kSuccess) {
        return status;
      }
      bool created = false;
      if (const Status status = CreatePath(currentUser, change.keyPath, key, created, reason);
          status != kSuccess) {
        return status;
      }
      key->SetValue(std::string(change.name), change.type, std::string(change.bytes));
      return kSuccess;
    }
    case RegChange::Kind::kDeleteValue: {
      if (Descend(currentUser, change.keyPath, key) == kSuccess) key->DeleteValue(change.name);
      return kSuccess;
    }
  }
  return kInvalidParameter;
}

}  // namespace

Status ApplyChanges(Key& currentUser, std::span<const RegChange> changes, std::size_t& failed,
                    std::string& reason) {
  Key* key = nullptr;  // of the previous change's value; no key is deleted meanwhile
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const RegChange& change = changes[i];
    failed = i;
    const bool sameKey = key != nullptr && change.keyPath == changes[i - 1].keyPath;
    if (sameKey && change.kind == RegChange::Kind::kSetValue) {
      if (const Status status = CheckValue(change.name, change.bytes, reason); status != kSuccess) {
        return status;
      }
      key->SetValue(std::string(change.name), change.type, std::string(change.bytes));
    } else if (sameKey && change.kind == RegChange::Kind::kDeleteValue) {
      key->DeleteValue(change.name);
    } else if (const Status status = ApplyChange(currentUser, change, key, reason);
               status != kSuccess) {
      return status;
    }
  }
  return kSuccess;
}

}  // namespace platform::reg
