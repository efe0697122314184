#include <optional>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/blanks.h"
#include "platform/posix/profile_text.h"

namespace platform::posix {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// Position of the first `wanted` (an ASCII byte) that is a character of its own, not the
// trail byte of a double-byte character ("]" is a valid trail byte in code page 950).
std::size_t FindCharacter(std::string_view text, char wanted, CharacterLengthFunction length) {
  for (std::size_t pos = 0; pos < text.size(); pos += length(text, pos)) {
    if (text[pos] == wanted) return pos;
  }
  return std::string_view::npos;
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names compare ignoring the case of ASCII letters; the bytes of a double-byte
// character compare exactly, since its trail byte may look like a letter.
bool SameName(std::string_view a, std::string_view b, CharacterLengthFunction characterLength) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t length = characterLength(a, pos);
    if (length == 1) {
      if (FoldAscii(a[pos]) != FoldAscii(b[pos])) return false;
    } else if (a.substr(pos, length) != b.substr(pos, length)) {
      return false;
    }
    pos += length;
  }
  return true;
}

enum class LineKind { kBlank, kComment, kSection, kEntry };

struct Line {
  std::size_t begin = 0;  // first byte of the line
  std::size_t next = 0;   // first byte after its line end (CR LF, LF or CR), if any
  bool ended = false;     // false for a last line without a line end
  LineKind kind = LineKind::kBlank;
  std::string_view name;  // section or key name, blanks around it removed
};

Line ParseLine(std::string_view content, std::size_t begin, CharacterLengthFunction length) {
  Line line;
  line.begin = begin;
  std::size_t end = content.find_first_of("\r\n", begin);
  if (end == std::string_view::npos) {
    end = content.size();
    line.next = end;
  } else {
    line.ended = true;
    line.next = end + (content.substr(end, 2) == kLineEnd ? 2 : 1);
  }
  const std::string_view text = TrimBlanks(content.substr(begin, end - begin));
  if (text.empty()) return line;
  if (text.front() == ';' || text.front() == '#') {
    line.kind = LineKind::kComment;
  } else if (const std::size_t close = FindCharacter(text, ']', length);
             text.front() == '[' && close != std::string_view::npos) {
    line.kind = LineKind::kSection;
    line.name = TrimBlanks(text.substr(1, close - 1));
  } else {
    // A line without "=" is an entry whose whole text is the key.
    line.kind = LineKind::kEntry;
    line.name = TrimBlanks(text.substr(0, FindCharacter(text, '=', length)));
  }
  return line;
}

std::vector<Line> ParseLines(std::string_view content, CharacterLengthFunction length) {
  std::vector<Line> lines;
  // A UTF-8 byte order mark is no part of the first line, so a section there counts.
  std::size_t pos = content.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
  while (pos < content.size()) {
    lines.push_back(ParseLine(content, pos, length));
    pos = lines.back().next;
  }
  return lines;
}

std::string EntryLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  line += kLineEnd;
  return line;
}

// `content` with `text` put at `pos`; a line without a line end before it gets one.
std::string InsertAt(std::string_view content, std::size_t pos, bool lineBeforeEnded,
                     std::string_view text) {
  std::string out(content.substr(0, pos));
  if (!lineBeforeEnded) out += kLineEnd;
  out += text;
  out += content.substr(pos);
  return out;
}

}  // namespace

std::string SetProfileEntry(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value,
                            CharacterLengthFunction characterLength) {
  const std::string_view sectionName = TrimBlanks(section);
  const std::string_view keyName = TrimBlanks(key);
  const std::vector<Line> lines = ParseLines(content, characterLength);

  std::size_t header = 0;
  while (header < lines.size() && !(lines[header].kind == LineKind::kSection &&
                                    SameName(lines[header].name, sectionName, characterLength))) {
    ++header;
  }
  if (header == lines.size()) {
    std::string added = "[" + std::string(sectionName) + "]" + std::string(kLineEnd);
    added += EntryLine(keyName, value);
    return InsertAt(content, content.size(), lines.empty() || lines.back().ended, added);
  }

  const Line* lastEntry = &lines[header];
  for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != LineKind::kSection; ++i) {
    const Line& line = lines[i];
    if (line.kind != LineKind::kEntry) continue;
    if (SameName(line.name, keyName, characterLength)) {
      std::string out(content.substr(0, line.begin));
      out += EntryLine(line.name, value);
      out += content.substr(line.next);
      return out;
    }
    lastEntry = &line;
  }
  return InsertAt(content, lastEntry->next, lastEntry->ended, EntryLine(keyName, value));
}

}  // namespace platform::posix
