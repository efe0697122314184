// ParseRegFile: REGEDIT4 text into a tree. Every complaint names the line it is about.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/blanks.h"
#include "platform/reg_calls.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"

namespace platform::reg {
namespace {

struct Malformed {
  std::string message;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
std::uint32_t ParseHexNumber(std::string_view digits, std::size_t maxDigits, const char* what) {
  if (digits.empty() || digits.size() > maxDigits) {
    throw Malformed{std::string(what) + " \"" + std::string(digits) +
                    "\" is not a hex number of 1 to " + std::to_string(maxDigits) + " digits"};
  }
  std::uint32_t number = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) {
      throw Malformed{std::string(what) + " \"" + std::string(digits) + "\" is not a hex number"};
    }
    number = (number << 4) | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// A quoted text starting at text[pos] == '"', with \\ and \" escapes. `pos` ends after
// the closing quote.
std::string ParseQuoted(std::string_view text, std::size_t& pos) {
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\') {
      if (++pos == text.size()) break;
      if (text[pos] != '\\' && text[pos] != '"') {
        throw Malformed{std::string("\"\\") + text[pos] + "\" is not an escape; write \\\\ for \\"};
      }
    }
    out += text[pos];
  }
  throw Malformed{"a quoted text has no closing quote"};
}

// A name the store could not write is no name the store wrote: the registry calls would
// hand it out cut at its NUL, and the walk could not open the key it had listed.
void CheckNameCharacters(std::string_view name, const char* what) {
  if (HoldsLineBreakOrNul(name)) {
    throw Malformed{std::string("a ") + what + " name holds a NUL or a carriage return"};
  }
}

class Reader {
 public:
  Reader(std::string_view text, Key& currentUser) : text_(text), currentUser_(currentUser) {}

  void Run() {
    std::string_view line;
    if (!NextLine(line) || line != "REGEDIT4") {
      throw Malformed{"the first line is not \"REGEDIT4\""};
    }
    while (NextLine(line)) {
      const std::string_view trimmed = TrimBlanks(line);
      if (trimmed.empty() || trimmed.front() == ';') continue;
      if (line.front() == '[') {
        OpenKey(line);
      } else if (line.front() == '"' || line.front() == '@') {
        ReadValue(line);
      } else {
        throw Malformed{"the line is not a [key], a value, a comment or blank"};
      }
    }
  }

  std::size_t lineNumber() const { return lineNumber_; }

 private:
  bool NextLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = stop + 1;
    ++lineNumber_;
    return true;
  }

  void OpenKey(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || !TrimBlanks(line.substr(close + 1)).empty()) {
      throw Malformed{"a [key] line does not end in \"]\""};
    }
    std::string_view path = line.substr(1, close - 1);
    if (FoldName(path.substr(0, kCurrentUserName.size())) != kCurrentUserName ||
        (path.size() > kCurrentUserName.size() && path[kCurrentUserName.size()] != '\\')) {
      throw Malformed{"the key \"" + std::string(path) + "\" is not below HKEY_CURRENT_USER"};
    }
    path.remove_prefix(std::min(path.size(), kCurrentUserName.size() + 1));
    key_ = &currentUser_;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos <= path.size();) {
      if (pos < path.size() && path[pos] != '\\') {
        pos += CharacterLength(path, pos);
        continue;
      }
      if (pos == start && !path.empty()) throw Malformed{"the key path has an empty name"};
      const std::string_view name = path.substr(start, pos - start);
      if (name.size() > kMaxKeyNameLength) {
        throw Malformed{"a key name is longer than " + std::to_string(kMaxKeyNameLength) +
                        " bytes"};
      }
      CheckNameCharacters(name, "key");
      if (!name.empty()) {
        bool created = false;
        key_ = &key_->CreateSubKey(name, created);
      }
      start = ++pos;
    }
  }

  void ReadValue(std::string_view line) {
    if (key_ == nullptr) throw Malformed{"a value stands before the first [key] line"};
    std::size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = ParseQuoted(line, pos);
      if (name.size() > kMaxValueNameLength) {
        throw Malformed{"a value name is longer than " + std::to_string(kMaxValueNameLength) +
                        " bytes"};
      }
      CheckNameCharacters(name, "value");
    }
    if (pos >= line.size() || line[pos] != '=')
      throw Malformed{"the value name is not followed by \"=\""};
    std::string_view data = line.substr(pos + 1);
    if (!data.empty() && data.front() == '"') {
      pos = 0;
      std::string text = ParseQuoted(data, pos);
      if (pos != data.size()) throw Malformed{"text follows the closing quote"};
      text.push_back('\0');
      key_->SetValue(name, kTypeString, text);
    } else if (data.starts_with("dword:")) {
      const std::uint32_t number = ParseHexNumber(data.substr(6), 8, "the dword");
      std::string bytes(4, '\0');
      for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
      key_->SetValue(name, kTypeDword, bytes);
    } else if (data.starts_with("hex:")) {
      key_->SetValue(name, kTypeBinary, ReadHexList(data.substr(4)));
    } else if (data.starts_with("hex(")) {
      const std::size_t close = data.find("):");
      if (close == std::string_view::npos)
        throw Malformed{"hex( is not followed by a type and \"):\""};
      const std::uint32_t type = ParseHexNumber(data.substr(4, close - 4), 8, "the type");
      key_->SetValue(name, type, ReadHexList(data.substr(close + 2)));
    } else {
      throw Malformed{"the data are not a quoted text, dword:, hex: or hex(type):"};
    }
  }

  // Comma-separated bytes; a "\" at the end of a line continues them on the next line.
  std::string ReadHexList(std::string_view segment) {
    std::string bytes;
    for (;;) {
      segment = TrimBlanks(segment);
      const bool continued = !segment.empty() && segment.back() == '\\';
      if (continued) segment = TrimBlanks(segment.substr(0, segment.size() - 1));
      if (continued && !segment.empty() && segment.back() == ',') segment.remove_suffix(1);
      while (!segment.empty()) {
        const std::size_t comma = segment.find(',');
        const std::string_view token = TrimBlanks(segment.substr(0, comma));
        bytes += static_cast<char>(ParseHexNumber(token, 2, "the byte"));
        segment = comma == std::string_view::npos ? std::string_view() : segment.substr(comma + 1);
        if (comma != std::string_view::npos && segment.empty())
          throw Malformed{"the hex data end in \",\""};
      }
      if (!continued) return bytes;
      if (!NextLine(segment)) throw Malformed{"the hex data go on past the end of the file"};
    }
  }

  std::string_view text_;
  Key& currentUser_;
  Key* key_ = nullptr;
  std::size_t pos_ = 0;
  std::size_t lineNumber_ = 0;
};

}  // namespace

bool ParseRegFile(std::string_view text, Key& currentUser, ParseError& error) {
  Reader reader(text, currentUser);
  try {
    reader.Run();
    return true;
  } catch (const Malformed& malformed) {
    error.line = std::max<std::size_t>(reader.lineNumber(), 1);
    error.message = malformed.message;
    return false;
  }
}

}  // namespace platform::reg
