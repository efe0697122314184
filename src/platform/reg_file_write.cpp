// FormatRegFile: the tree as REGEDIT4 text. FormatRegExport: changes as a version 5 file.
#include <algorithm>
#include <optional>
#include <string>

#include "platform/ansi_codepage.h"
#include "platform/byte_find.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"
#include "platform/utf16.h"

namespace platform::reg {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Hex data wrap before this column, as the registry editor wraps them.
constexpr std::size_t kHexWrapColumn = 76;

// How names and data are written. REGEDIT4 keeps the ANSI bytes; a version 5 file is
// Unicode: its lines are built in UTF-8 (escaped character by character, so a "\" trail
// byte is no escape), each turned into UTF-16LE once it is complete, and the data of the
// string types in hex are UTF-16LE, as the registry's import reads them.
struct Notation {
  bool unicode = false;
};

// A text that does not convert exactly (bytes the code page cannot decode) would come
// back from a version 5 file as other bytes.
struct Inexact {};

std::string UnicodeText(std::string_view ansi) {
  std::optional<std::string> utf8 = ExactlyAsUtf8(ansi);
  if (!utf8) throw Inexact{};
  return std::move(*utf8);
}


bool IsStringType(std::uint32_t type) {
  return type == kTypeString || type == kTypeExpandString || type == kTypeMultiString;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  // Runs without a byte to escape go out whole: the store's file and an undo file quote
  // every name and text.
  for (;;) {
    const std::size_t escaped = FindFirstOf(text, "\\\"");
    out.append(text.substr(0, escaped));
    if (escaped == std::string_view::npos) break;
    out += '\\';
    out += text[escaped];
    text.remove_prefix(escaped + 1);
  }
  out += '"';
}

// ANSI text in the notation's encoding, quoted. ASCII text is the same in both.
void AppendQuoted(std::string& out, const Notation& notation, std::string_view ansi) {
  if (!notation.unicode || IsAscii(ansi)) {
    AppendQuoted(out, ansi);
  } else {
    AppendQuoted(out, UnicodeText(ansi));
  }
}

void AppendText(std::string& out, const Notation& notation, std::string_view ansi) {
  if (!notation.unicode || IsAscii(ansi)) {
    out += ansi;
  } else {
    out += UnicodeText(ansi);
  }
}

// A string value can be written in quotes when the quoted text plus the NUL that
// reading adds back gives exactly its bytes.
bool QuotedLineKeeps(std::uint32_t type, std::string_view data) {
  if (type != kTypeString || data.empty() || data.back() != '\0') return false;
  return FindFirstOf(data, std::string_view("\r\n\0", 3)) == data.size() - 1;
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

void AppendValueName(std::string& out, const Notation& notation, std::string_view name) {
  if (name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, notation, name);
  }
  out += '=';
}

// What stands after the "=" of the value's line.
void AppendData(std::string& out, std::size_t lineStart, const Notation& notation,
                std::uint32_t type, std::string_view data, bool wrap) {
  if (QuotedLineKeeps(type, data)) {
    AppendQuoted(out, notation, data.substr(0, data.size() - 1));
  } else if (type == kTypeDword && data.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(data[i]);
    out += "dword:";
    AppendHexDigits(out, number, 8);
  } else {
    if (type == kTypeBinary) {
      out += "hex:";
    } else {
      out += "hex(";
      AppendHexDigits(out, type, 1);
      out += "):";
    }
    AppendHexList(out, lineStart,
                  notation.unicode && IsStringType(type) ? Utf8ToUtf16Le(UnicodeText(data)) : data,
                  wrap);
  }
}

void AppendValue(std::string& out, const Notation& notation, std::string_view name,
                 std::uint32_t type, std::string_view data) {
  const std::size_t lineStart = out.size();
  AppendValueName(out, notation, name);
  AppendData(out, lineStart, notation, type, data, true);
  out += kLineEnd;
}

void AppendValue(std::string& out, const Notation& notation, const Value& value) {
  AppendValue(out, notation, value.name, value.type, value.data);
}

void AppendKey(std::string& out, std::string& path, const Key& key) {
  out += '[';
  out += path;
  out += ']';
  out += kLineEnd;
  key.ForEachValue([&out](const Value& value) { AppendValue(out, Notation{}, value); });
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

void AppendKeyLine(std::string& out, const Notation& notation, std::string_view prefix,
                   std::string_view keyPath) {
  out += kLineEnd;
  out += prefix;
  out += kCurrentUserName;
  out += '\\';
  AppendText(out, notation, keyPath);
  out += ']';
  out += kLineEnd;
}

// Pieces of about this size go to the sink as the file is made.
constexpr std::size_t kPieceSize = 1 << 16;

// The changes in `notation`, handed to `sink` piece by piece; throws Inexact where a
// version 5 file cannot hold a text. A version 5 file's lines are turned into UTF-16LE
// change by change, so no whole copy of it is made, in UTF-8 or at all.
void FormatChanges(const RegChangeSource& changes, std::string_view comment,
                   const Notation& notation, RegExportSink& sink) {
  std::string piece, text;  // the file's bytes not yet handed on; lines not yet in `piece`
  if (notation.unicode) piece = "\xFF\xFE";
  const auto complete = [&](bool last) {
    if (notation.unicode) {
      AppendUtf8AsUtf16Le(piece, text);
      text.clear();
    } else {
      piece += text;
      text.clear();
    }
    if (last || piece.size() >= kPieceSize) {
      sink.Write(piece);
      piece.clear();
    }
  };
  text = notation.unicode ? "Windows Registry Editor Version 5.00" : "REGEDIT4";
  text += kLineEnd;
  for (std::size_t start = 0; start <= comment.size();) {
    const std::size_t end = std::min(comment.find('\n', start), comment.size());
    text += "; ";
    AppendText(text, notation, comment.substr(start, end - start));
    text += kLineEnd;
    start = end + 1;
  }
  std::optional<std::string_view> openKey;
  changes([&](const RegChange& change) {
    complete(false);
    if (change.kind == RegChange::Kind::kDeleteKey) {
      AppendKeyLine(text, notation, "[-", change.keyPath);
      openKey.reset();
      return;
    }
    if (change.kind == RegChange::Kind::kCreateKey || !openKey || *openKey != change.keyPath) {
      AppendKeyLine(text, notation, "[", change.keyPath);
      openKey = change.keyPath;
    }
    if (change.kind == RegChange::Kind::kSetValue) {
      AppendValue(text, notation, change.name, change.type, change.bytes);
    } else if (change.kind == RegChange::Kind::kDeleteValue) {
      AppendValueName(text, notation, change.name);
      text += '-';
      text += kLineEnd;
    }
  });
  complete(true);
}

}  // namespace

std::string FormatValueData(std::uint32_t type, std::string_view data) {
  std::string out;
  AppendData(out, 0, Notation{}, type, data, false);
  return out;
}

void FormatRegExport(const RegChangeSource& changes, std::string_view comment,
                     RegExportSink& sink) {
  try {
    FormatChanges(changes, comment, Notation{true}, sink);
  } catch (const Inexact&) {
    sink.Restart();
    FormatChanges(changes, comment, Notation{false}, sink);
  }
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
