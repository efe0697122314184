// FormatRegFile: the tree as REGEDIT4 text.
#include <string>

#include "platform/reg_file.h"
#include "platform/settings_store.h"

namespace platform::reg {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Hex data wrap before this column, as the registry editor wraps them.
constexpr std::size_t kHexWrapColumn = 76;

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// A string value can be written in quotes when the quoted text plus the NUL that
// reading adds back gives exactly its bytes.
bool QuotedLineKeeps(const Value& value) {
  if (value.type != kTypeString || value.data.empty() || value.data.back() != '\0') return false;
  return value.data.find_first_of(std::string_view("\r\n\0", 3)) == value.data.size() - 1;
}

void AppendHexDigits(std::string& out, unsigned long number, int minimumDigits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char buffer[16];
  int count = 0;
  do {
    buffer[count++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0 || count < minimumDigits);
  while (count > 0) out += buffer[--count];
}

// Hex data wrap at kHexWrapColumn when `wrap` holds.
void AppendHexList(std::string& out, std::size_t lineStart, std::string_view bytes, bool wrap) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    AppendHexDigits(out, static_cast<unsigned char>(bytes[i]), 2);
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (wrap && out.size() - lineStart >= kHexWrapColumn) {
      out += '\\';
      out += kLineEnd;
      lineStart = out.size();
      out += "  ";
    }
  }
}

// What stands after the "=" of the value's line.
void AppendData(std::string& out, std::size_t lineStart, const Value& value, bool wrap) {
  if (QuotedLineKeeps(value)) {
    AppendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
  } else if (value.type == kTypeDword && value.data.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    out += "dword:";
    AppendHexDigits(out, number, 8);
  } else {
    if (value.type == kTypeBinary) {
      out += "hex:";
    } else {
      out += "hex(";
      AppendHexDigits(out, value.type, 1);
      out += "):";
    }
    AppendHexList(out, lineStart, value.data, wrap);
  }
}

void AppendValue(std::string& out, const Value& value) {
  const std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, value.name);
  }
  out += '=';
  AppendData(out, lineStart, value, true);
  out += kLineEnd;
}

void AppendKey(std::string& out, std::string& path, const Key& key) {
  out += '[';
  out += path;
  out += ']';
  out += kLineEnd;
  key.ForEachValue([&out](const Value& value) { AppendValue(out, value); });
  out += kLineEnd;
  for (std::size_t i = 0; i < key.SubKeyCount(); ++i) {
    const Key& subKey = key.SubKeyAt(i);
    const std::size_t length = path.size();
    path += '\\';
    path += subKey.name();
    AppendKey(out, path, subKey);
    path.resize(length);
  }
}

}  // namespace

std::string FormatValueData(std::uint32_t type, std::string_view data) {
  std::string out;
  AppendData(out, 0, Value{{}, type, std::string(data)}, false);
  return out;
}

std::string FormatRegFile(const Key& currentUser) {
  std::string out = "REGEDIT4";
  out += kLineEnd;
  out += kLineEnd;
  std::string path(kCurrentUserName);
  AppendKey(out, path, currentUser);
  return out;
}

}  // namespace platform::reg
