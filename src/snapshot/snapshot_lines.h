#pragma once
// Reading a snapshot file: finding it, and taking it line by line.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bmRegistry {

// The file a reader takes for `path`: the path itself when it names a file. Names match
// ignoring case as the platform's paths do, so "Reg_X.TXT" written by the save is found
// as "Reg_X.txt" on a file system that tells case apart. When there is none, the
// "File Not Found:" box has been shown and the result is empty.
std::optional<std::string> LocateSnapshot(std::string_view path);

// The lines of a file, read in blocks so a file of any size takes memory only for its
// longest line. A line ends at CR LF only: the writer puts a lone CR or LF inside data
// into the line unchanged, and here it stays in the line. A file that holds no CR LF at
// all had its line ends rewritten to LF (by an editor, a transfer, a repository): there
// each LF ends a line. A last line without its line end is still a line; nothing after
// a final line end is.
//
// A file that starts with the UTF-8 byte-order mark (as PowerShell and Notepad write
// it) is UTF-8: each line is converted to the ANSI code page, and a line that does not
// convert exactly is a bad line. Without the mark the file is ANSI.
class SnapshotLineReader {
 public:
  // Throws std::system_error when the file cannot be opened. `consequence` ends the
  // description of a bad line ("Nothing was restored.").
  SnapshotLineReader(std::string_view path, std::string_view consequence);
  ~SnapshotLineReader();
  SnapshotLineReader(const SnapshotLineReader&) = delete;
  SnapshotLineReader& operator=(const SnapshotLineReader&) = delete;

  // The next line without its line end; false at the end. Throws on a read error.
  bool Next(std::string& line);
  // No file holds more lines than this: its line feeds, and one more.
  std::size_t LinesAtMost() const { return lineFeeds_ + 1; }
  // The number of the line Next gave last, counted from 1.
  std::size_t LineNumber() const { return lineNumber_; }
  // Raises the failure for the line Next gave last, which `problem` ("has 2 fields")
  // makes a bad line: its description names the line.
  [[noreturn]] void RaiseBadLine(std::string_view problem) const;

 private:
  bool Refill();
  // The next line as the file holds it.
  bool ReadLine(std::string& line);
  // Reads the file once from the start: whether CR LF stands anywhere in it, and how
  // many line feeds it holds.
  void Survey();
  // The line read from a UTF-8 file in the ANSI code page; a bad line when it does not
  // convert exactly.
  void ConvertFromUtf8(std::string& line) const;

  std::string path_;
  std::string consequence_;
  std::FILE* file_ = nullptr;
  std::vector<char> block_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t lineNumber_ = 0;
  std::size_t lineFeeds_ = 0;
  bool lineFeedEndsLines_ = false;
  bool utf8_ = false;
};

}  // namespace bmRegistry
