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
class SnapshotLineReader {
 public:
  // Throws std::system_error when the file cannot be opened.
  explicit SnapshotLineReader(std::string_view path);
  ~SnapshotLineReader();
  SnapshotLineReader(const SnapshotLineReader&) = delete;
  SnapshotLineReader& operator=(const SnapshotLineReader&) = delete;

  // The next line without its line end; false at the end. Throws on a read error.
  bool Next(std::string& line);
  // The number of the line Next gave last, counted from 1.
  std::size_t LineNumber() const { return lineNumber_; }

 private:
  bool Refill();
  // Whether CR LF stands anywhere in the file; reads from the start up to the first one.
  bool HoldsCrLf();

  std::string path_;
  std::FILE* file_ = nullptr;
  std::vector<char> block_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t lineNumber_ = 0;
  bool lineFeedEndsLines_ = false;
};

}  // namespace bmRegistry
