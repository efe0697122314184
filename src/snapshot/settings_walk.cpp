// The walk of the settings tree: depth first, pre-order, and only keys without sub-keys
// give their values.
#include <algorithm>
#include <cstring>
#include <memory>

#include "common/basbase.h"
#include "common/trap.h"
#include "common/user_interface.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"
#include "snapshot/settings_root.h"
#include "snapshot/value_read.h"

namespace bmRegistry {
namespace {

using platform::SettingsKey;
using platform::Status;

// Name buffers start at the classic 256 bytes and grow while the store answers "more
// data", so a long name is read rather than ending its key's listing. The largest valid
// name is a value name of 16 383 characters, two bytes each in a double-byte code page.
constexpr std::uint32_t kFirstNameCapacity = 256;
constexpr std::uint32_t kLargestNameCapacity = 2 * 16383 + 1;

// A value that changes between the size query and the read is read again, a few times.
constexpr int kValueReadAttempts = 4;

bool GrowNameBuffer(std::vector<char>& buffer) {
  if (buffer.size() >= kLargestNameCapacity) return false;
  buffer.assign(std::min<std::size_t>(buffer.size() * 2, kLargestNameCapacity), '\0');
  return true;
}

Status ReadSubKeyName(SettingsKey& key, std::uint32_t index, std::string& name) {
  std::vector<char> buffer(kFirstNameCapacity, '\0');
  Status status;
  do {
    status = key.EnumKey(index, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  } while (status == platform::kMoreData && GrowNameBuffer(buffer));
  if (status == platform::kSuccess) name = WithoutNuls(buffer.data());
  return status;
}

}  // namespace

Status ReadValue(SettingsKey& key, std::uint32_t index, StoredValue& value) {
  // Every value of a walk is read through here: the buffers stay from one value to the
  // next, which spares two allocations per value.
  thread_local std::vector<char> nameBuffer(kFirstNameCapacity, '\0');
  thread_local std::vector<unsigned char> dataBuffer;
  Status status = platform::kNoMoreItems;
  for (int attempt = 0; attempt < kValueReadAttempts;) {
    auto nameLength = static_cast<std::uint32_t>(nameBuffer.size());
    std::uint32_t readType = 0;
    std::uint32_t dataLength = 0;
    // The size query's own status is not looked at, except that a name too long for
    // the buffer gets a bigger one; the read below decides.
    if (key.EnumValue(index, nameBuffer.data(), &nameLength, &readType, nullptr, &dataLength) ==
            platform::kMoreData &&
        GrowNameBuffer(nameBuffer)) {
      continue;
    }
    if (dataBuffer.size() < std::max<std::uint32_t>(dataLength, 1)) {
      dataBuffer.resize(std::max<std::uint32_t>(dataLength, 1));
    }
    dataLength = static_cast<std::uint32_t>(dataBuffer.size());
    nameLength = static_cast<std::uint32_t>(nameBuffer.size());
    status = key.EnumValue(index, nameBuffer.data(), &nameLength, &readType, dataBuffer.data(),
                           &dataLength);
    if (status == platform::kSuccess) {
      value.name = WithoutNuls(std::string_view(nameBuffer.data(), nameLength));
      value.type = readType;
      value.bytes.assign(reinterpret_cast<const char*>(dataBuffer.data()),
                         std::min<std::size_t>(dataLength, dataBuffer.size()));
      value.exact = key.LastAnswerExact();
      return status;
    }
    // "More data" here means the value grew since the size query: read it again.
    if (status != platform::kMoreData) return status;
    ++attempt;
  }
  return status;
}

Record MakeRecord(const StoredValue& value) {
  // key path + "\" + value name, every "\" and "|" a cell boundary; then the data
  // without NULs, every "|" a cell boundary.
  Record cells = SplitCells(basBase::WithTrailing(value.keyPath, "\\") + value.name, "\\|");
  std::vector<std::string> dataCells = SplitCells(WithoutNuls(value.bytes), "|");
  cells.insert(cells.end(), std::make_move_iterator(dataCells.begin()),
               std::make_move_iterator(dataCells.end()));
  return cells;
}

bool WalkValues(SettingsKey& root, std::string_view keyPath, const ValueVisitor& visit,
                const ValueVisitor* leftOut) {
  bool walked = false;
  common::TrapShow("bmRegistry_EnumSubKey", [&] {
    std::unique_ptr<SettingsKey> opened;
    SettingsKey* key = &root;
    if (!keyPath.empty()) {
      // A key that cannot be opened gives no records; the walk goes on with its sibling.
      if (root.OpenSubKey(keyPath, opened) != platform::kSuccess) return;
      key = opened.get();
    }
    // Paths stay relative to the root, never to the current key.
    const std::string childPrefix = basBase::WithTrailing(keyPath, "\\");
    std::uint32_t index = 0;
    std::string name;
    while (ReadSubKeyName(*key, index, name) == platform::kSuccess) {
      // Its name as read holds "?" for what the code page lacks: opening that name would
      // find no key, or another one.
      if (key->LastAnswerExact()) {
        WalkValues(root, childPrefix + name, visit, leftOut);
      } else if (leftOut != nullptr) {
        StoredValue unreadable;
        unreadable.keyPath = childPrefix + name;
        unreadable.exact = false;
        (*leftOut)(unreadable);
      }
      ++index;
    }
    const ValueVisitor* const valueVisitor = index == 0 ? &visit : leftOut;
    if (valueVisitor != nullptr) {
      StoredValue value;
      value.keyPath = keyPath;
      for (std::uint32_t valueIndex = 0; ReadValue(*key, valueIndex, value) == platform::kSuccess;
           ++valueIndex) {
        (*valueVisitor)(value);
      }
    }
    walked = true;
  });
  return walked;
}

bool EnumSubKey(SettingsKey& root, std::string_view keyPath, std::vector<Record>& records) {
  return WalkValues(root, keyPath,
                    [&](const StoredValue& value) { records.push_back(MakeRecord(value)); });
}

std::optional<std::vector<Record>> ReadAllSettings(platform::SettingsStore& store) {
  const std::unique_ptr<SettingsKey> root = OpenSettingsRoot(store);
  if (!root) return std::nullopt;
  std::vector<Record> records;
  EnumSubKey(*root, "", records);
  return records;
}

bool GetCurrentKey(controls::Grid& grid, platform::SettingsStore& store) {
  bool result = false;
  common::TrapLog("bmRegistry_GetCurrentKey", [&] {
    // Cleared first, so a root that cannot be opened leaves the header only.
    grid.SetRows(grid.FixedRows());
    common::BusyPointer busy;
    const auto root = OpenSettingsRootShown(store, "bmRegistry_GetCurrentKey");
    if (!root) return;
    std::vector<Record> records;
    EnumSubKey(*root, "", records);
    for (const Record& record : records) grid.AddItem(DecodeCells(record));
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
