#include "platform/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/win32/ansi_wide_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace platform {
namespace {

using win32::UniqueKey;
using win32::WideToAnsiExactly;

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

// A string type's data as UTF-16 in the ANSI code page, as the 8-bit calls give it (the
// stored NULs included); false when it does not come through exactly.
bool StringDataToAnsi(const std::vector<BYTE>& data, DWORD size, std::string& ansi) {
  std::wstring wide(size / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
  // A last odd byte is no UTF-16 code unit: the 8-bit form cannot hold it.
  return WideToAnsiExactly(wide, ansi) && size % sizeof(wchar_t) == 0;
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

  // Names are read as the registry keeps them (UTF-16) and converted here, so that a
  // name the ANSI code page cannot carry is known as such.
  Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) override {
    wchar_t wide[kLongestKeyName + 2];
    DWORD length = static_cast<DWORD>(std::size(wide));
    const Status status =
        RegEnumKeyExW(key_.get(), index, wide, &length, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return status;
    std::string ansi;
    const bool exact = WideToAnsiExactly(std::wstring_view(wide, length), ansi);
    if (ansi.size() >= capacity) return ERROR_MORE_DATA;
    std::memcpy(name, ansi.c_str(), ansi.size() + 1);
    lastExact_ = exact;
    return ERROR_SUCCESS;
  }

  // Each value is read whole and wide in one registry call (a round trip to the registry,
  // under Wine to its server) and converted to the ANSI code page here: the size query
  // keeps it and the read of that value that follows is answered from it, so a walk makes
  // one call per value, and the sizes are those of the ANSI text on every code page. A
  // read answered so gives the value as the size query found it, which the walk cannot
  // tell from a change made just after its read.
  Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                   std::uint32_t* type, unsigned char* data,
                   std::uint32_t* dataLength) override {
    if (name == nullptr || nameLength == nullptr || (data != nullptr && dataLength == nullptr)) {
      return ERROR_INVALID_PARAMETER;
    }
    const bool keptFits = data != nullptr && kept_.valid && kept_.index == index;
    kept_.valid = false;
    if (!keptFits) {
      if (const Status status = ReadWhole(index); status != ERROR_SUCCESS) return status;
    }
    if (type != nullptr) *type = kept_.type;
    // As the registry answers: a name or data that does not fit leaves the caller's
    // buffers and name length as they were and tells the data's size.
    if (kept_.name.size() >= *nameLength ||
        (data != nullptr && kept_.data.size() > *dataLength)) {
      if (dataLength != nullptr) *dataLength = static_cast<std::uint32_t>(kept_.data.size());
      return ERROR_MORE_DATA;
    }
    std::memcpy(name, kept_.name.c_str(), kept_.name.size() + 1);
    *nameLength = static_cast<std::uint32_t>(kept_.name.size());
    if (data != nullptr) std::memcpy(data, kept_.data.data(), kept_.data.size());
    if (dataLength != nullptr) *dataLength = static_cast<std::uint32_t>(kept_.data.size());
    lastExact_ = kept_.exact;
    kept_.valid = data == nullptr;
    return ERROR_SUCCESS;
  }

  bool LastAnswerExact() const override { return lastExact_; }

 private:
  static constexpr std::size_t kFirstDataCapacity = 256;
  // A value that keeps growing between the calls is reported as "more data" after these.
  static constexpr int kWholeReadAttempts = 4;

  // Value `index` into kept_, the data buffer grown while the registry asks for more.
  Status ReadWhole(std::uint32_t index) {
    wideName_.resize(kLongestValueName + 1);
    if (wideData_.size() < kFirstDataCapacity) wideData_.resize(kFirstDataCapacity);
    Status status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kWholeReadAttempts; ++attempt) {
      DWORD nameLength = static_cast<DWORD>(wideName_.size());
      DWORD typeValue = 0;
      DWORD dataLength = static_cast<DWORD>(wideData_.size());
      status = RegEnumValueW(key_.get(), index, wideName_.data(), &nameLength, nullptr,
                             &typeValue, wideData_.data(), &dataLength);
      if (status == ERROR_SUCCESS) {
        Keep(index, std::wstring_view(wideName_.data(), nameLength), typeValue, dataLength);
        return status;
      }
      if (status != ERROR_MORE_DATA || dataLength <= wideData_.size()) return status;
      wideData_.resize(dataLength);
    }
    return status;
  }

  void Keep(std::uint32_t index, std::wstring_view wideName, DWORD type, DWORD dataLength) {
    kept_.index = index;
    kept_.type = type;
    kept_.exact = WideToAnsiExactly(wideName, kept_.name);
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      std::string text;
      kept_.exact = StringDataToAnsi(wideData_, dataLength, text) && kept_.exact;
      kept_.data.assign(text.begin(), text.end());
    } else {
      kept_.data.assign(wideData_.begin(), wideData_.begin() + dataLength);
    }
    kept_.valid = true;
  }

  // The value the last size query read, in ANSI, while the read that follows may use it.
  struct KeptValue {
    bool valid = false;
    std::uint32_t index = 0;
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool exact = true;
  };

  UniqueKey key_;
  std::vector<wchar_t> wideName_;
  std::vector<BYTE> wideData_;
  KeptValue kept_;
  bool lastExact_ = true;
};

// Another process of the tool applies a batch in well under a second, even a large one;
// waiting longer than this means it hangs.
constexpr DWORD kHoldWaitMs = 10'000;

// A batch's hold: a mutex that every process of the tool in this logon session takes
// for its batches (the registry has no lock of its own).
class MutexHold final : public StoreHold {
 public:
  explicit MutexHold(HANDLE mutex) : mutex_(mutex) {}
  MutexHold(const MutexHold&) = delete;
  MutexHold& operator=(const MutexHold&) = delete;
  ~MutexHold() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

class RegistryStore final : public SettingsStore {
 public:
  Status HoldForBatch(std::unique_ptr<StoreHold>& hold) override {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\RegTool.SettingsBatch");
    if (mutex == nullptr) return GetLastError();
    // An abandoned mutex is one whose holder ended without its batch: it is ours now.
    const DWORD waited = WaitForSingleObject(mutex, kHoldWaitMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
      CloseHandle(mutex);
      return kStoreIoFailed;
    }
    hold = std::make_unique<MutexHold>(mutex);
    return kSuccess;
  }

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

bool StoreKeepsTextExactly(std::string_view ansi) {
  std::wstring wide;
  return win32::AnsiToWideExactly(ansi, wide);
}

}  // namespace platform
