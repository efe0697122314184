#pragma once
// The per-user settings store (the registry's HKEY_CURRENT_USER tree) as the walk and
// the restore use it. Names and data are 8-bit text in the ANSI code page; paths use
// "\" between key names. Results are the registry's status codes.
//
// Both backends behave as the Windows registry does: names match ignoring case and keep
// their first spelling; sub-keys enumerate in the order of their upper-cased names,
// values in the order they were created (overwriting keeps a value's place, deleting
// and saving it again moves it last); a key name may have 255 bytes, a value name
// 16 383 (longer ones are refused with 87). A path may end in "\"; one that starts with
// "\" is refused with 161. Whether a key that is already open sees later writes
// depends on the backend (the registry's do, the posix store's keys see the tree as it
// was when they were opened from the store); the walk relies on neither.
#include <cstdint>
#include <cstring>
#include <memory>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kBadPathname = 161;
inline constexpr Status kMoreData = 234;
inline constexpr Status kNoMoreItems = 259;
// The store cannot be read because it is damaged (ERROR_BADDB); nothing is written to
// it until it is repaired.
inline constexpr Status kStoreCorrupt = 1009;
// The store could not be read or written (ERROR_REGISTRY_IO_FAILED).
inline constexpr Status kStoreIoFailed = 1016;

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

// A value of a key as the store holds it, referred to, not copied.
struct ValueView {
  std::string_view name;
  std::uint32_t type = 0;
  std::string_view bytes;
};

// An open key. Closing it is destroying it.
class SettingsKey {
 public:
  virtual ~SettingsKey() = default;

  // RegOpenKeyA relative to this key. An empty path opens the same key again.
  virtual Status OpenSubKey(std::string_view path, std::unique_ptr<SettingsKey>& out) = 0;

  // RegEnumKeyA: writes the NUL-terminated name of sub-key `index` into `name`
  // (capacity in bytes, NUL included). 234 when it does not fit (the buffer is left as
  // it was), 259 past the end.
  virtual Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) = 0;

  // RegEnumValueA: `nameLength` is the name buffer's capacity on entry and the name's
  // length (without NUL) on success; the unnamed value's name is empty. With `data`
  // null, `dataLength` (if not null) receives the data size and the status is 0. The
  // data are the stored bytes as they are: a string saved by SaveSetting ends in its
  // NUL. 234 when the name or the data does not fit (`dataLength` then holds the size
  // needed, the data buffer and `nameLength` are left as they were), 259 past the end,
  // 87 when `name` or `nameLength` is null.
  virtual Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                           std::uint32_t* type, unsigned char* data, std::uint32_t* dataLength) = 0;

  // Whether the last successful EnumKey or EnumValue gave the name (and data) exactly as
  // the store holds them. The registry keeps text as UTF-16: a character the ANSI code
  // page cannot carry comes out as "?", and then this is false. The posix store keeps
  // bytes as they are.
  virtual bool LastAnswerExact() const { return true; }

  // The key's values in enumeration order, referring to the store's own memory and valid
  // while this key is open, from a store that holds its tree in memory (the posix
  // store): a hundred thousand values need not be copied one by one. False, with nothing
  // added, from a store whose values are to be read with EnumValue.
  virtual bool ViewValues(std::vector<ValueView>& /*values*/) { return false; }
};

// One setting as a restore writes it: delete the value (ignoring a failure), then save
// it as a string value.
struct SettingWrite {
  std::string application;
  std::string section;
  std::string key;
  std::string text;
};

// One line of a registry export file, as the registry's import carries it out. Key
// paths are below HKEY_CURRENT_USER, names joined by "\". A change refers to its path,
// name and data and owns none of them: a batch of 100 000 changes would otherwise hold
// a copy of its key's path in each. What holds them (a RegChanges, the writes a batch
// is made of, the store's keys) must outlive the change.
struct RegChange {
  enum class Kind {
    kCreateKey,    // [path]: the key, every missing level created
    kDeleteKey,    // [-path]: the key with everything below it; a missing key is no error
    kSetValue,     // "name"=data below the last [path]
    kDeleteValue,  // "name"=- below the last [path]; a missing value is no error
  };
  Kind kind = Kind::kCreateKey;
  std::string_view keyPath;
  std::string_view name;  // empty for the unnamed value
  std::uint32_t type = 0;
  std::string_view bytes;
};

// Copies of texts kept together in large blocks rather than in a string each, for
// views that nothing else holds the text of.
class KeptTexts {
 public:
  // A copy of `text` that lives as long as this object (moving it included).
  std::string_view Keep(std::string_view text) {
    if (text.empty()) return {};
    char* copy = static_cast<char*>(blocks_->allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
  }

 private:
  std::unique_ptr<std::pmr::monotonic_buffer_resource> blocks_ =
      std::make_unique<std::pmr::monotonic_buffer_resource>();
};

// Changes with the texts they refer to that nothing else holds.
struct RegChanges {
  std::vector<RegChange> list;
  KeptTexts texts;

  std::string_view Keep(std::string_view text) { return texts.Keep(text); }
};

// What HoldForBatch hands back: the hold lasts as long as this object.
class StoreHold {
 public:
  virtual ~StoreHold() = default;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Keeps other processes of this tool from changing the store until `hold` goes: a
  // restore reads what it will replace, writes its undo file and applies its batch as
  // one step, so that the undo file holds exactly what the batch replaced. Calls through
  // this store object go ahead meanwhile. A store that another process holds for longer
  // than a write can take fails as a write would. Stores without other users need none.
  virtual Status HoldForBatch(std::unique_ptr<StoreHold>& /*hold*/) { return kSuccess; }

  // RegOpenKeyA(HKEY_CURRENT_USER, path). 2 when the key does not exist.
  virtual Status OpenCurrentUserKey(std::string_view path, std::unique_ptr<SettingsKey>& out) = 0;

  // SaveSetting: creates application and section (which may hold "\" for deeper keys)
  // below the settings root where missing and stores `text` as a string value: its
  // bytes followed by a NUL. An empty application or section is refused with 87.
  virtual Status SaveSetting(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view text) = 0;

  // DeleteSetting: removes one value; 2 when the value, section or application is
  // missing.
  virtual Status DeleteSetting(std::string_view application, std::string_view section,
                               std::string_view key) = 0;

  // A restore as one batch: for each write, DeleteSetting (its failure ignored) then
  // SaveSetting. Stores that can write all at once do so, and write nothing when any
  // save would fail; the status is that of the first failing save.
  virtual Status RestoreSettings(std::span<const SettingWrite> writes) = 0;

  // The changes of an export file in order, as one batch: stores that can write all at
  // once do so and write nothing when one change is refused; the registry checks every
  // name first and then goes change by change. The status is that of the first refusal.
  virtual Status ApplyChanges(std::span<const RegChange> changes) = 0;

  // Seeding, for tools and tests: create a key (every missing level), and set a typed
  // value below HKEY_CURRENT_USER. An empty name is the key's unnamed value.
  virtual Status CreateCurrentUserKey(std::string_view path) = 0;
  virtual Status SetCurrentUserValue(std::string_view path, std::string_view name,
                                     std::uint32_t type, std::string_view bytes) = 0;

  // Why the last call that failed for a reason other than a missing key or value did
  // so, in words, when the store can say more than the status: the posix store names
  // its file and, for a damaged file, the line. Empty when there is nothing to add.
  virtual std::string LastFailureDescription() const { return {}; }
};

// Whether the store gives these ANSI bytes back exactly as a name or a string value. The
// registry holds UTF-16: bytes that are no text in the ANSI code page, or that decode to
// text which encodes back differently, would come back changed. The posix store keeps
// bytes as they are, so every text is kept there.
bool StoreKeepsTextExactly(std::string_view ansi);

// The store of this machine's current user.
std::unique_ptr<SettingsStore> OpenUserSettingsStore();

}  // namespace platform
