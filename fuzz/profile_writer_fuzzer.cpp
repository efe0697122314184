// The INI writer on a random starting file and a random series of calls, through the
// real file. After every call:
// - a refused call (a text with a line break or a NUL, a name ending in a lead byte)
//   left the file as it was;
// - an accepted one changed exactly one place: one entry line replaced, or one entry
//   (and perhaps its section header) inserted, perhaps ending the line before it;
//   every other byte stayed;
// - reading the entry back, as a reader of INI files finds it, gives the value, and
//   writing the same entry again changes nothing.
// The input is libFuzzer's data-provider form: the starting file, then section, key
// and value of each call, each text ended by "\" and another character ("\\" is a "\").
// An empty starting file stands for no file at all; one that begins with a UTF-16 byte
// order mark is left out.
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/ansi_codepage.h"
#include "platform/blanks.h"
#include "platform/posix/profile_text.h"
#include "platform/posix/whole_file.h"
#include "platform/profile_writer.h"
#include "scratch_file.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string& FilePath() {
  static std::string path;
  return path;
}

// Whole lines, each with its line end (CR LF, LF or CR) as the writer splits them.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      end = text.size();
    } else {
      end += text.substr(end, 2) == "\r\n" ? 2 : 1;
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end;
  }
  return lines;
}

bool Ended(std::string_view line) {
  return !line.empty() && (line.back() == '\n' || line.back() == '\r');
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (Ended(line)) line.remove_suffix(1);
  return line;
}

// The first `c` that is a character of its own in the ANSI code page.
std::size_t Find(std::string_view text, char c) {
  for (std::size_t pos = 0; pos < text.size(); pos += platform::CharacterLength(text, pos)) {
    if (text[pos] == c) return pos;
  }
  return std::string_view::npos;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t length = platform::CharacterLength(a, pos);
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    if (length == 1 ? fold(a[pos]) != fold(b[pos]) : a.substr(pos, 2) != b.substr(pos, 2)) {
      return false;
    }
    pos += length;
  }
  return true;
}

// A section header's name, if the line is one.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = platform::TrimBlanks(WithoutLineEnd(line));
  const std::size_t close = Find(text, ']');
  if (text.empty() || text.front() != '[' || close == std::string_view::npos) return std::nullopt;
  return platform::TrimBlanks(text.substr(1, close - 1));
}

bool IsEntry(std::string_view line) {
  const std::string_view text = platform::TrimBlanks(WithoutLineEnd(line));
  return !text.empty() && text.front() != ';' && text.front() != '#' && !SectionName(line);
}

std::string_view EntryKey(std::string_view line) {
  const std::string_view text = platform::TrimBlanks(WithoutLineEnd(line));
  return platform::TrimBlanks(text.substr(0, Find(text, '=')));
}

// The value of the first `key` in the first [section], as a reader finds it: the raw
// text after the "=".
std::optional<std::string> ReadEntry(std::string_view content, std::string_view section,
                                     std::string_view key) {
  if (content.starts_with(kBom)) content.remove_prefix(kBom.size());
  bool inSection = false;
  for (const std::string_view line : Lines(content)) {
    if (const auto name = SectionName(line)) {
      if (inSection) return std::nullopt;
      inSection = SameName(*name, section);
    } else if (inSection && IsEntry(line) && SameName(EntryKey(line), key)) {
      const std::string_view text = WithoutLineEnd(line);
      const std::size_t equals = Find(text, '=');
      return std::string(equals == std::string_view::npos ? "" : text.substr(equals + 1));
    }
  }
  return std::nullopt;
}

bool FitsOnOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Whether a name ends in a whole character of the code page, not in a lead byte that
// would swallow the "]" or "=" written after it. The writer refuses other names.
bool EndsInWholeCharacter(std::string_view name) {
  const std::string_view trimmed = platform::TrimBlanks(name);
  const std::string followed = std::string(trimmed) + '=';
  std::size_t pos = 0;
  while (pos < trimmed.size()) pos += platform::CharacterLength(followed, pos);
  return pos == trimmed.size();
}

// Names that make the written line something else read back as another name or not at
// all; the writer writes them as Windows does.
bool SectionReadsBack(std::string_view section) {
  return Find(platform::TrimBlanks(section), ']') == std::string_view::npos;
}

bool KeyReadsBack(std::string_view key) {
  const std::string_view trimmed = platform::TrimBlanks(key);
  // ";" and "#" start a comment; "[" a section header once the value holds a "]".
  if (!trimmed.empty() &&
      (trimmed.front() == ';' || trimmed.front() == '#' || trimmed.front() == '[')) {
    return false;
  }
  return Find(trimmed, '=') == std::string_view::npos;
}

// `after` is `before` with one entry line replaced by key=value (the key as the line
// spelled it), or one key=value line (and its section header) inserted; nothing else
// changed but a missing line end before the insertion.
void CheckOnePlaceChanged(std::string_view before, std::string_view after, std::string_view key,
                          std::string_view value) {
  FUZZ_CHECK(before.starts_with(kBom) == after.starts_with(kBom));
  if (before.starts_with(kBom)) {
    before.remove_prefix(kBom.size());
    after.remove_prefix(kBom.size());
  }
  const std::vector<std::string_view> old = Lines(before);
  const std::vector<std::string_view> now = Lines(after);
  std::size_t same = 0;
  while (same < old.size() && same < now.size() && old[same] == now[same]) ++same;
  std::size_t sameEnd = 0;
  while (sameEnd + same < old.size() && sameEnd + same < now.size() &&
         old[old.size() - 1 - sameEnd] == now[now.size() - 1 - sameEnd]) {
    ++sameEnd;
  }
  const std::vector<std::string_view> removed(old.begin() + same, old.end() - sameEnd);
  std::vector<std::string_view> added(now.begin() + same, now.end() - sameEnd);
  FUZZ_CHECK(!added.empty() && added.back().ends_with("\r\n"));
  const std::string_view entry = WithoutLineEnd(added.back());
  FUZZ_CHECK(entry.size() == key.size() + 1 + value.size());
  const std::string_view spelling = entry.substr(0, key.size());
  FUZZ_CHECK(SameName(spelling, key) && entry.substr(key.size()) == "=" + std::string(value));
  added.pop_back();
  if (removed.size() == 1 && added.empty()) {  // the entry line replaced
    FUZZ_CHECK(IsEntry(removed.front()) && EntryKey(removed.front()) == spelling);
    return;
  }
  FUZZ_CHECK(spelling == key);
  if (removed.size() == 1) {  // the last line, which had no line end
    FUZZ_CHECK(sameEnd == 0 && !Ended(removed.front()));
    FUZZ_CHECK(added.front() == std::string(removed.front()) + "\r\n");
    added.erase(added.begin());
  } else {
    FUZZ_CHECK(removed.empty());
  }
  FUZZ_CHECK(added.empty() || (added.size() == 1 && SectionName(added.front())));
}

std::string ReadFile() {
  std::string content;
  const int error = platform::posix::ReadWholeFile(FilePath(), content);
  FUZZ_CHECK(error == 0 || error == ENOENT);
  return content;
}

void WriteFile(std::string_view content) {
  ::unlink(FilePath().c_str());
  if (content.empty()) return;
  const int fd = ::open(FilePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  FUZZ_CHECK(fd >= 0);
  FUZZ_CHECK(::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()));
  ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FilePath() = ScratchFile("profile_writer_fuzzer", "fuzz.ini");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  std::string before = input.ConsumeRandomLengthString();
  // A file that starts with a UTF-16 byte order mark is edited in UTF-16 or refused; the
  // checks here read 8-bit lines, and the Unicode files have tests of their own.
  if (before.starts_with("\xFF\xFE") || before.starts_with("\xFE\xFF")) return 0;
  WriteFile(before);
  while (input.remaining_bytes() > 0) {
    const std::string section = input.ConsumeRandomLengthString();
    const std::string key = input.ConsumeRandomLengthString();
    const std::string value = input.ConsumeRandomLengthString();
    const bool written = platform::WritePrivateProfileString(section, key, value, FilePath());
    const std::string after = ReadFile();
    if (!FitsOnOneLine(section) || !FitsOnOneLine(key) || !FitsOnOneLine(value) ||
        !EndsInWholeCharacter(section) || !EndsInWholeCharacter(key)) {
      FUZZ_CHECK(!written && after == before);
      continue;
    }
    FUZZ_CHECK(written);
    const std::string_view keyName = platform::TrimBlanks(key);
    if (after != before) CheckOnePlaceChanged(before, after, keyName, value);
    if (SectionReadsBack(section) && KeyReadsBack(key)) {
      FUZZ_CHECK(ReadEntry(after, platform::TrimBlanks(section), keyName) == value);
      FUZZ_CHECK(platform::posix::SetProfileEntry(after, section, key, value) == after);
    }
    before = after;
  }
  return 0;
}
