#include "platform/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/win32/unique_handle_win32.h"

namespace platform {
namespace {

using win32::UniqueKey;

std::string Text(std::string_view text) { return std::string(text); }

// RegOpenKeyA, which hands back the parent's own handle for an empty path. The caller
// gets a handle of its own in every case, so that each key is closed exactly once.
Status OpenKey(HKEY parent, std::string_view path, UniqueKey& out) {
  HKEY key = nullptr;
  Status status = RegOpenKeyA(parent, Text(path).c_str(), &key);
  if (status == ERROR_SUCCESS && key == parent) {
    key = nullptr;
    status = RegOpenKeyExA(parent, "", 0, MAXIMUM_ALLOWED, &key);
  }
  if (status == ERROR_SUCCESS) out.reset(key);
  return status;
}

Status CreateKey(HKEY parent, std::string_view path, UniqueKey& out) {
  HKEY key = nullptr;
  const Status status = RegCreateKeyA(parent, Text(path).c_str(), &key);
  if (status == ERROR_SUCCESS) out.reset(key == parent ? nullptr : key);
  return status;
}

// Sets a value from exactly these bytes. The copy ends in a byte that is not NUL:
// for a string type whose bytes lack a terminator, Windows would otherwise take a NUL
// that happens to follow them in memory into the value.
Status SetValue(HKEY key, std::string_view name, DWORD type, std::string_view bytes) {
  std::string data(bytes);
  data.push_back('\x01');
  return RegSetValueExA(key, Text(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(bytes.size()));
}

// A string value as SaveSetting stores it: the text and its terminating NUL.
Status SetString(HKEY key, std::string_view name, std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  return SetValue(key, name, REG_SZ, data);
}

std::string SectionPath(std::string_view application, std::string_view section) {
  std::string path(kSettingsRoot);
  path += application;
  path += '\\';
  path += section;
  return path;
}

// The registry's limits, in characters: a key name 255, a value name 16 383.
constexpr int kLongestKeyName = 255;
constexpr int kLongestValueName = 16383;

int Characters(std::string_view ansi) {
  if (ansi.empty()) return 0;
  return MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
}

// Every key name of the path fits the registry. A "\" that is the trail byte of a
// double-byte character separates nothing.
bool KeyNamesFit(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0;; pos += CharacterLength(path, pos)) {
    if (pos == path.size() || path[pos] == '\\') {
      if (Characters(path.substr(start, pos - start)) > kLongestKeyName) return false;
      if (pos == path.size()) return true;
      start = pos + 1;
    }
  }
}

// What SaveSetting refuses before it writes anything: an empty application or section
// (it would name the settings root or the application itself, where the walk does not
// read settings back as saved) and names the registry cannot hold. Wine would take a
// key name of 256 characters; Windows does not.
bool SaveCanSucceed(std::string_view application, std::string_view section,
                    std::string_view key) {
  return !application.empty() && !section.empty() && KeyNamesFit(application) &&
         KeyNamesFit(section) && Characters(key) <= kLongestValueName;
}

class RegistryKey final : public SettingsKey {
 public:
  explicit RegistryKey(UniqueKey key) : key_(std::move(key)) {}

  Status OpenSubKey(std::string_view path, std::unique_ptr<SettingsKey>& out) override {
    UniqueKey key;
    const Status status = OpenKey(key_.get(), path, key);
    if (status == ERROR_SUCCESS) out = std::make_unique<RegistryKey>(std::move(key));
    return status;
  }

  Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) override {
    return RegEnumKeyA(key_.get(), index, name, capacity);
  }

  // A walk asks for a value's size and then reads it: two registry calls per value, and
  // each is a round trip to the registry (under Wine, to its server). So a size query
  // reads the whole value and keeps it, and the read of that value that follows is
  // answered from it: one call per value. The size so reported is the exact one on every
  // code page. Whatever the kept value cannot answer as the registry would (a name or
  // data that do not fit the caller's buffers, arguments it would refuse) goes to the
  // registry itself. A read answered so gives the value as the size query found it,
  // which the walk cannot tell from a change made just after its read.
  Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                   std::uint32_t* type, unsigned char* data,
                   std::uint32_t* dataLength) override {
    const bool sizeQuery = data == nullptr;
    bool kept = !sizeQuery && kept_.valid && kept_.index == index;
    kept_.valid = false;
    if (name == nullptr || nameLength == nullptr || dataLength == nullptr) {
      return CallRegistry(index, name, nameLength, type, data, dataLength);
    }
    if (sizeQuery) {
      const Status status = ReadWhole(index);
      if (status == ERROR_NO_MORE_ITEMS) return status;
      kept = status == ERROR_SUCCESS;
    }
    if (kept && AnswerFromKept(name, nameLength, type, data, dataLength)) {
      kept_.valid = sizeQuery;
      return ERROR_SUCCESS;
    }
    return CallRegistry(index, name, nameLength, type, data, dataLength);
  }

 private:
  // The longest value name in ANSI bytes (16 383 double-byte characters) and its NUL.
  static constexpr DWORD kLongestNameBytes = 2 * kLongestValueName + 1;
  static constexpr std::size_t kFirstDataCapacity = 256;
  // A value that keeps growing between the calls is left to the registry after these.
  static constexpr int kWholeReadAttempts = 4;

  // Value `index` into kept_, the data buffer grown while the registry asks for more.
  Status ReadWhole(std::uint32_t index) {
    kept_.name.resize(kLongestNameBytes);
    if (kept_.data.size() < kFirstDataCapacity) kept_.data.resize(kFirstDataCapacity);
    Status status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kWholeReadAttempts; ++attempt) {
      DWORD nameLength = kLongestNameBytes;
      DWORD typeValue = 0;
      DWORD dataLength = static_cast<DWORD>(kept_.data.size());
      status = RegEnumValueA(key_.get(), index, kept_.name.data(), &nameLength, nullptr,
                             &typeValue, kept_.data.data(), &dataLength);
      if (status == ERROR_SUCCESS) {
        kept_.index = index;
        kept_.nameLength = nameLength;
        kept_.type = typeValue;
        kept_.dataLength = dataLength;
        return status;
      }
      if (status != ERROR_MORE_DATA || dataLength <= kept_.data.size()) return status;
      kept_.data.resize(dataLength);
    }
    return status;
  }

  // The kept value in the caller's buffers, as the registry's successful call leaves
  // them; false, with nothing written, when the name with its NUL or the data do not fit.
  bool AnswerFromKept(char* name, std::uint32_t* nameLength, std::uint32_t* type,
                      unsigned char* data, std::uint32_t* dataLength) const {
    if (kept_.nameLength >= *nameLength || (data != nullptr && kept_.dataLength > *dataLength)) {
      return false;
    }
    std::memcpy(name, kept_.name.data(), kept_.nameLength);
    name[kept_.nameLength] = '\0';
    *nameLength = kept_.nameLength;
    if (type != nullptr) *type = kept_.type;
    if (data != nullptr) std::memcpy(data, kept_.data.data(), kept_.dataLength);
    *dataLength = kept_.dataLength;
    return true;
  }

  Status CallRegistry(std::uint32_t index, char* name, std::uint32_t* nameLength,
                      std::uint32_t* type, unsigned char* data, std::uint32_t* dataLength) {
    // DWORD is not std::uint32_t's type here: copy in, call, and copy back whatever
    // the registry left in them. The type is always fetched, for the size check below.
    const DWORD nameCapacity = nameLength != nullptr ? *nameLength : 0;
    DWORD nameLengthValue = nameCapacity;
    DWORD typeValue = type != nullptr ? *type : 0;
    DWORD dataLengthValue = dataLength != nullptr ? *dataLength : 0;
    const Status status =
        RegEnumValueA(key_.get(), index, name, nameLength != nullptr ? &nameLengthValue : nullptr,
                      nullptr, &typeValue, data, dataLength != nullptr ? &dataLengthValue : nullptr);
    if (status == ERROR_SUCCESS && data == nullptr && dataLength != nullptr &&
        SizeQueryMayOverstate(typeValue)) {
      dataLengthValue = ExactStringSize(index, nameCapacity, dataLengthValue);
    }
    if (nameLength != nullptr) *nameLength = nameLengthValue;
    if (type != nullptr) *type = typeValue;
    if (dataLength != nullptr) *dataLength = dataLengthValue;
    return status;
  }

  // Chinese, Japanese and Korean Windows may answer the size query of a string value
  // with more bytes than its ANSI text has (the size of its stored form); only reading
  // the data tells the exact size. Single-byte code pages convert byte for byte.
  static bool SizeQueryMayOverstate(DWORD type) {
    static const bool multiByteCodePage = [] {
      CPINFO info{};
      return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
    }();
    return multiByteCodePage && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ);
  }

  // The size the read of value `index` gives; `reported` when that read fails (the
  // value changed meanwhile), so the caller's read decides.
  DWORD ExactStringSize(std::uint32_t index, DWORD nameCapacity, DWORD reported) {
    std::vector<char> name(std::max<DWORD>(nameCapacity, 1));
    std::vector<BYTE> data(std::max<DWORD>(reported, 1));
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD size = reported;
    const Status status = RegEnumValueA(key_.get(), index, name.data(), &nameLength, nullptr,
                                        nullptr, data.data(), &size);
    return status == ERROR_SUCCESS ? size : reported;
  }

  // The value the last size query read, while the read that follows may use it.
  struct KeptValue {
    bool valid = false;
    std::uint32_t index = 0;
    std::vector<char> name;
    DWORD nameLength = 0;
    DWORD type = 0;
    std::vector<BYTE> data;
    DWORD dataLength = 0;
  };

  UniqueKey key_;
  KeptValue kept_;
};

class RegistryStore final : public SettingsStore {
 public:
  Status OpenCurrentUserKey(std::string_view path, std::unique_ptr<SettingsKey>& out) override {
    UniqueKey key;
    const Status status = OpenKey(HKEY_CURRENT_USER, path, key);
    if (status == ERROR_SUCCESS) out = std::make_unique<RegistryKey>(std::move(key));
    return status;
  }

  Status SaveSetting(std::string_view application, std::string_view section,
                     std::string_view key, std::string_view text) override {
    if (!SaveCanSucceed(application, section, key)) return kInvalidParameter;
    UniqueKey sectionKey;
    if (const Status status =
            CreateKey(HKEY_CURRENT_USER, SectionPath(application, section), sectionKey);
        status != ERROR_SUCCESS) {
      return status;
    }
    return SetString(sectionKey.get(), key, text);
  }

  Status DeleteSetting(std::string_view application, std::string_view section,
                       std::string_view key) override {
    if (application.empty() || section.empty()) return kInvalidParameter;
    UniqueKey sectionKey;
    if (const Status status =
            OpenKey(HKEY_CURRENT_USER, SectionPath(application, section), sectionKey);
        status != ERROR_SUCCESS) {
      return status;
    }
    return RegDeleteValueA(sectionKey.get(), Text(key).c_str());
  }

  // The registry has no batch: the writes go one by one, each as DeleteSetting (its
  // failure ignored) and SaveSetting. Writes that SaveSetting would refuse are refused
  // before the first one, so such a restore changes nothing. A section stays open while
  // consecutive writes go to it, which saves most of the registry calls.
  Status RestoreSettings(std::span<const SettingWrite> writes) override {
    for (const SettingWrite& write : writes) {
      if (!SaveCanSucceed(write.application, write.section, write.key)) return kInvalidParameter;
    }
    UniqueKey section;
    const SettingWrite* sectionOf = nullptr;
    for (const SettingWrite& write : writes) {
      if (sectionOf == nullptr || write.application != sectionOf->application ||
          write.section != sectionOf->section) {
        section.reset();
        sectionOf = nullptr;
        if (const Status status = CreateKey(HKEY_CURRENT_USER,
                                            SectionPath(write.application, write.section), section);
            status != ERROR_SUCCESS) {
          return status;
        }
        sectionOf = &write;
      }
      RegDeleteValueA(section.get(), Text(write.key).c_str());
      if (const Status status = SetString(section.get(), write.key, write.text);
          status != ERROR_SUCCESS) {
        return status;
      }
    }
    return kSuccess;
  }

  // Every name is checked before the first change, so a file the registry would refuse
  // half-way changes nothing; then the changes go one by one, as the registry's import
  // makes them. A key or value to delete that is missing is no failure.
  Status ApplyChanges(std::span<const RegChange> changes) override {
    for (const RegChange& change : changes) {
      if (change.keyPath.empty() || !KeyNamesFit(change.keyPath) ||
          Characters(change.name) > kLongestValueName) {
        return kInvalidParameter;
      }
    }
    for (const RegChange& change : changes) {
      const std::string path = Text(change.keyPath);
      Status status = ERROR_SUCCESS;
      UniqueKey key;
      switch (change.kind) {
        case RegChange::Kind::kCreateKey:
          status = CreateKey(HKEY_CURRENT_USER, path, key);
          break;
        case RegChange::Kind::kDeleteKey:
          status = RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
          break;
        case RegChange::Kind::kSetValue:
          status = CreateKey(HKEY_CURRENT_USER, path, key);
          if (status == ERROR_SUCCESS) status = SetValue(key.get(), change.name, change.type, change.bytes);
          break;
        case RegChange::Kind::kDeleteValue:
          status = OpenKey(HKEY_CURRENT_USER, path, key);
          if (status == ERROR_SUCCESS) status = RegDeleteValueA(key.get(), Text(change.name).c_str());
          break;
      }
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
    }
    return kSuccess;
  }

  Status CreateCurrentUserKey(std::string_view path) override {
    UniqueKey key;
    return CreateKey(HKEY_CURRENT_USER, path, key);
  }

  Status SetCurrentUserValue(std::string_view path, std::string_view name, std::uint32_t type,
                             std::string_view bytes) override {
    UniqueKey key;
    if (const Status status = CreateKey(HKEY_CURRENT_USER, path, key); status != ERROR_SUCCESS) {
      return status;
    }
    return SetValue(key ? key.get() : HKEY_CURRENT_USER, name, type, bytes);
  }
};

}  // namespace

std::unique_ptr<SettingsStore> OpenUserSettingsStore() { return std::make_unique<RegistryStore>(); }

}  // namespace platform
