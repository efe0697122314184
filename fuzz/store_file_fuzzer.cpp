// The settings store's file reader on any bytes: a file it accepts is written back and
// read again to the same tree, byte for byte, and a file it refuses names a line that
// exists. The registry calls then list exactly what the tree holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/reg_calls.h"
#include "platform/reg_file.h"

namespace {

using platform::reg::Key;
using platform::reg::Value;

bool SameValue(const Value& a, const Value& b) {
  return a.name == b.name && a.type == b.type && a.data == b.data;
}

bool SameTree(const Key& a, const Key& b) {
  if (a.name() != b.name() || a.SubKeyCount() != b.SubKeyCount() ||
      a.ValueCount() != b.ValueCount()) {
    return false;
  }
  for (std::size_t i = 0; i < a.ValueCount(); ++i) {
    if (!SameValue(a.ValueAt(i), b.ValueAt(i))) return false;
  }
  for (std::size_t i = 0; i < a.SubKeyCount(); ++i) {
    if (!SameTree(a.SubKeyAt(i), b.SubKeyAt(i))) return false;
  }
  return true;
}

// What RegEnumKeyA and RegEnumValueA give for every entry, with the buffer sizes the
// walk uses: too small first, then as large as the call asked for.
void CheckEnumeration(const Key& key) {
  for (std::uint32_t i = 0; i < key.SubKeyCount(); ++i) {
    const std::string& expected = key.SubKeyAt(i).name();
    std::string name(expected.size(), '\x7F');
    const auto small = static_cast<std::uint32_t>(expected.size());
    FUZZ_CHECK(platform::reg::EnumKeyName(key, i, name.data(), small) == platform::kMoreData);
    name.assign(expected.size() + 1, '\x7F');
    FUZZ_CHECK(platform::reg::EnumKeyName(key, i, name.data(), small + 1) == platform::kSuccess);
    FUZZ_CHECK(std::string_view(name.data()) == expected);
    CheckEnumeration(key.SubKeyAt(i));
  }
  char probe[1];
  FUZZ_CHECK(platform::reg::EnumKeyName(key, static_cast<std::uint32_t>(key.SubKeyCount()), probe,
                                        1) == platform::kNoMoreItems);

  for (std::uint32_t i = 0; i < key.ValueCount(); ++i) {
    const Value& expected = key.ValueAt(i);
    std::string name(expected.name.size() + 1, '\0');
    auto nameLength = static_cast<std::uint32_t>(name.size());
    std::uint32_t type = 0;
    std::uint32_t dataLength = 0;
    FUZZ_CHECK(platform::reg::EnumValueEntry(key, i, name.data(), &nameLength, &type, nullptr,
                                             &dataLength) == platform::kSuccess);
    FUZZ_CHECK(dataLength == expected.data.size());
    std::string data(dataLength, '\0');
    nameLength = static_cast<std::uint32_t>(name.size());
    FUZZ_CHECK(platform::reg::EnumValueEntry(key, i, name.data(), &nameLength, &type,
                                             reinterpret_cast<unsigned char*>(data.data()),
                                             &dataLength) == platform::kSuccess);
    FUZZ_CHECK(std::string_view(name.data(), nameLength) == expected.name);
    FUZZ_CHECK(type == expected.type && data == expected.data);
  }
}

std::size_t LineCount(std::string_view text) {
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  Key read(platform::reg::kCurrentUserName);
  platform::reg::ParseError error;
  if (!platform::reg::ParseRegFile(text, read, error)) {
    FUZZ_CHECK(error.line >= 1 && error.line <= LineCount(text));
    FUZZ_CHECK(!error.message.empty());
    return 0;
  }
  CheckEnumeration(read);

  const std::string written = platform::reg::FormatRegFile(read);
  Key reread(platform::reg::kCurrentUserName);
  FUZZ_CHECK(platform::reg::ParseRegFile(written, reread, error));
  FUZZ_CHECK(SameTree(read, reread));
  FUZZ_CHECK(platform::reg::FormatRegFile(reread) == written);
  return 0;
}
