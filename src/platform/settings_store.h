#pragma once
// The per-user settings store (the registry's HKEY_CURRENT_USER tree) as the walk and
// the restore use it. Names and data are 8-bit text in the ANSI code page; paths use
// "\" between key names. Results are the registry's status codes.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kMoreData = 234;
inline constexpr Status kNoMoreItems = 259;

// Value types as the registry numbers them.
enum ValueType : std::uint32_t {
  kTypeNone = 0,
  kTypeString = 1,
  kTypeExpandString = 2,
  kTypeBinary = 3,
  kTypeDword = 4,
  kTypeMultiString = 7,
  kTypeQword = 11,
};

// Where the VB-style settings live below HKEY_CURRENT_USER (trailing "\" included, as
// the walk passes it to the open call).
inline constexpr std::string_view kSettingsRoot = "Software\\VB and VBA Program Settings\\";

// An open key. Closing it is destroying it.
class SettingsKey {
 public:
  virtual ~SettingsKey() = default;

  // RegOpenKeyA relative to this key. An empty path opens the same key again.
  virtual Status OpenSubKey(std::string_view path, std::unique_ptr<SettingsKey>& out) = 0;

  // RegEnumKeyA: writes the NUL-terminated name of sub-key `index` into `name`
  // (capacity in bytes, NUL included). 234 when it does not fit, 259 past the end.
  virtual Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) = 0;

  // RegEnumValueA: `nameLength` is the name buffer's capacity on entry and the name's
  // length (without NUL) on success. With `data` null, `dataLength` (if not null)
  // receives the data size. 234 when the name or the data does not fit, 259 past the end.
  virtual Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                           std::uint32_t* type, unsigned char* data,
                           std::uint32_t* dataLength) = 0;
};

// One setting as a restore writes it: delete the value (ignoring a failure), then save
// it as a string value.
struct SettingWrite {
  std::string application;
  std::string section;
  std::string key;
  std::string text;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // RegOpenKeyA(HKEY_CURRENT_USER, path). 2 when the key does not exist.
  virtual Status OpenCurrentUserKey(std::string_view path, std::unique_ptr<SettingsKey>& out) = 0;

  // SaveSetting: creates application and section (which may hold "\" for deeper keys)
  // below the settings root where missing and stores `text` as a string value.
  virtual Status SaveSetting(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view text) = 0;

  // DeleteSetting: removes one value; fails when the value, section or application is
  // missing.
  virtual Status DeleteSetting(std::string_view application, std::string_view section,
                               std::string_view key) = 0;

  // A restore as one batch: for each write, DeleteSetting (its failure ignored) then
  // SaveSetting. Stores that can write all at once do so, and write nothing when any
  // save would fail; the status is that of the first failing save.
  virtual Status RestoreSettings(std::span<const SettingWrite> writes) = 0;

  // Seeding, for tools and tests: create a key (every missing level), and set a typed
  // value below HKEY_CURRENT_USER. An empty name is the key's unnamed value.
  virtual Status CreateCurrentUserKey(std::string_view path) = 0;
  virtual Status SetCurrentUserValue(std::string_view path, std::string_view name,
                                     std::uint32_t type, std::string_view bytes) = 0;
};

// The store of this machine's current user.
std::unique_ptr<SettingsStore> OpenUserSettingsStore();

}  // namespace platform
