// ParseRegFile: REGEDIT4 text into a tree. ParseRegExport: an export file into its
// changes. Every complaint names the line it is about.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/blanks.h"
#include "platform/byte_find.h"
#include "platform/reg_calls.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"
#include "platform/utf16.h"

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
  // Most texts hold no escape: taken whole, up to the closing quote.
  const std::string_view rest = text.substr(pos + 1);
  if (const std::size_t stop = FindFirstOf(rest, "\"\\");
      stop != std::string_view::npos && rest[stop] == '"') {
    pos += stop + 2;
    std::string whole;
    whole.reserve(stop + 1);  // room for the NUL a string value gets
    whole.assign(rest.substr(0, stop));
    return whole;
  }
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

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

// A version 5 file's text, read as UTF-8, in the ANSI code page: exactly, or not at all.
std::string ExactAnsi(std::string_view utf8) {
  std::optional<std::string> ansi = ExactlyAsAnsi(utf8);
  if (!ansi) {
    throw Malformed{"the text \"" + std::string(utf8) +
                    "\" has characters the ANSI code page cannot hold"};
  }
  return std::move(*ansi);
}

// The file is read into a tree (the store's file) or into the list of its changes (an
// export file to apply). Only the latter has deletions; only a version 5 file is
// Unicode text (UTF-8 here), whose names and texts are converted to the ANSI code page.
class Reader {
 public:
  Reader(std::string_view text, Key& currentUser) : text_(text), currentUser_(&currentUser) {}
  Reader(std::string_view text, RegChanges& changes, bool unicode)
      : text_(text), changes_(&changes), unicode_(unicode) {}

  void Run() {
    std::string_view line;
    const std::string_view header = unicode_ ? kVersion5Header : std::string_view("REGEDIT4");
    if (!NextLine(line) || line != header) {
      throw Malformed{"the first line is not \"" + std::string(header) + "\""};
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
    if (key_ != nullptr) key_->ForgetValueIndex();
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

  // How many lines from here to the next [key] line start a value: a fair count of the
  // values the key is about to get.
  std::size_t ValueLinesAhead() const {
    std::size_t count = 0;
    for (std::size_t pos = pos_; pos < text_.size();) {
      if (text_[pos] == '[') break;
      if (text_[pos] == '"' || text_[pos] == '@') ++count;
      const std::size_t end = text_.find('\n', pos);
      if (end == std::string_view::npos) break;
      pos = end + 1;
    }
    return count;
  }

  // Taken by value: the store's own file is ANSI already, and its texts move through.
  std::string Ansi(std::string text) const { return unicode_ ? ExactAnsi(text) : std::move(text); }

  void OpenKey(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || !TrimBlanks(line.substr(close + 1)).empty()) {
      throw Malformed{"a [key] line does not end in \"]\""};
    }
    const bool deleting = changes_ != nullptr && line.starts_with("[-");
    const std::string ansiPath =
        Ansi(std::string(line.substr(deleting ? 2 : 1, close - (deleting ? 2 : 1))));
    std::string_view path = ansiPath;
    if (FoldName(path.substr(0, kCurrentUserName.size())) != kCurrentUserName ||
        (path.size() > kCurrentUserName.size() && path[kCurrentUserName.size()] != '\\')) {
      throw Malformed{"the key \"" + std::string(path) + "\" is not below HKEY_CURRENT_USER"};
    }
    path.remove_prefix(std::min(path.size(), kCurrentUserName.size() + 1));
    if (key_ != nullptr) key_->ForgetValueIndex();
    key_ = currentUser_;
    keyPath_.clear();
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
      if (!name.empty() && key_ != nullptr) {
        bool created = false;
        key_ = &key_->CreateSubKey(name, created);
      }
      if (!name.empty()) keyPath_.append(keyPath_.empty() ? "" : "\\").append(name);
      start = ++pos;
    }
    keyOpen_ = !deleting;
    if (key_ != nullptr) key_->ReserveValues(ValueLinesAhead());
    if (changes_ != nullptr) {
      keptKeyPath_ = changes_->Keep(keyPath_);  // once for all the key's changes
      changes_->list.push_back(RegChange{
          deleting ? RegChange::Kind::kDeleteKey : RegChange::Kind::kCreateKey, keptKeyPath_, {}, 0, {}});
    }
  }

  void Store(std::string name, std::uint32_t type, std::string bytes) {
    if (changes_ == nullptr) {
      key_->SetValue(std::move(name), type, std::move(bytes));
    } else {
      changes_->list.push_back(RegChange{RegChange::Kind::kSetValue, keptKeyPath_,
                                         changes_->Keep(name), type, changes_->Keep(bytes)});
    }
  }

  // The bytes of hex(type): data; a version 5 file holds those of the string types as
  // UTF-16LE.
  std::string HexData(std::uint32_t type, std::string_view segment) {
    std::string bytes = ReadHexList(segment);
    if (!unicode_ || (type != kTypeString && type != kTypeExpandString && type != kTypeMultiString))
      return bytes;
    std::string utf8;
    if (!Utf16LeToUtf8(bytes, utf8)) throw Malformed{"the string data in hex are not UTF-16LE"};
    return ExactAnsi(utf8);
  }

  void ReadValue(std::string_view line) {
    if (!keyOpen_) throw Malformed{"a value stands before the first [key] line or after a [-key]"};
    std::size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = Ansi(ParseQuoted(line, pos));
      if (name.size() > kMaxValueNameLength) {
        throw Malformed{"a value name is longer than " + std::to_string(kMaxValueNameLength) +
                        " bytes"};
      }
      CheckNameCharacters(name, "value");
    }
    if (pos >= line.size() || line[pos] != '=')
      throw Malformed{"the value name is not followed by \"=\""};
    std::string_view data = line.substr(pos + 1);
    if (changes_ != nullptr && data == "-") {
      changes_->list.push_back(
          RegChange{RegChange::Kind::kDeleteValue, keptKeyPath_, changes_->Keep(name), 0, {}});
    } else if (!data.empty() && data.front() == '"') {
      pos = 0;
      std::string quoted = ParseQuoted(data, pos);
      if (pos != data.size()) throw Malformed{"text follows the closing quote"};
      std::string text = Ansi(std::move(quoted));
      text.push_back('\0');
      Store(std::move(name), kTypeString, std::move(text));
    } else if (data.starts_with("dword:")) {
      const std::uint32_t number = ParseHexNumber(data.substr(6), 8, "the dword");
      std::string bytes(4, '\0');
      for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
      Store(std::move(name), kTypeDword, std::move(bytes));
    } else if (data.starts_with("hex:")) {
      Store(std::move(name), kTypeBinary, ReadHexList(data.substr(4)));
    } else if (data.starts_with("hex(")) {
      const std::size_t close = data.find("):");
      if (close == std::string_view::npos)
        throw Malformed{"hex( is not followed by a type and \"):\""};
      const std::uint32_t type = ParseHexNumber(data.substr(4, close - 4), 8, "the type");
      Store(std::move(name), type, HexData(type, data.substr(close + 2)));
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
  Key* currentUser_ = nullptr;
  RegChanges* changes_ = nullptr;
  bool unicode_ = false;
  Key* key_ = nullptr;
  std::string keyPath_;
  std::string_view keptKeyPath_;
  bool keyOpen_ = false;
  std::size_t pos_ = 0;
  std::size_t lineNumber_ = 0;
};

bool Parse(Reader& reader, ParseError& error) {
  try {
    reader.Run();
    return true;
  } catch (const Malformed& malformed) {
    error.line = std::max<std::size_t>(reader.lineNumber(), 1);
    error.message = malformed.message;
    return false;
  }
}

}  // namespace

bool ParseRegFile(std::string_view text, Key& currentUser, ParseError& error) {
  Reader reader(text, currentUser);
  return Parse(reader, error);
}

bool ParseRegExport(std::string_view bytes, RegChanges& changes, ParseError& error) {
  constexpr std::string_view kBom = "\xFF\xFE";
  // A change a line at most (a byte 0x0A of UTF-16 text may be part of another
  // character: more room, never less): the list is not copied as it grows.
  changes.list.reserve(changes.list.size() +
                       static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
  if (!bytes.starts_with(kBom)) {
    Reader reader(bytes, changes, false);
    return Parse(reader, error);
  }
  std::string text;
  if (!Utf16LeToUtf8(bytes.substr(kBom.size()), text)) {
    error = {1, "the file starts as UTF-16LE but is not UTF-16LE throughout"};
    return false;
  }
  Reader reader(text, changes, true);
  return Parse(reader, error);
}

}  // namespace platform::reg
