#include "snapshot/snapshot_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "common/basbase.h"
#include "common/failure.h"
#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "platform/paths.h"

namespace bmRegistry {
namespace {

constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::optional<std::string> LocateSnapshot(std::string_view path) {
  if (basBase::IsFile(path)) return std::string(path);
  common::MsgBox("File Not Found:" + platform::AnsiToUtf8(path));
  return std::nullopt;
}

SnapshotLineReader::SnapshotLineReader(std::string_view path, std::string_view consequence)
    : path_(path), consequence_(consequence), block_(kBlockSize) {
  file_ = std::fopen(platform::NativePath(path).c_str(), "rb");
  if (file_ == nullptr) {
    throw std::system_error(errno, std::generic_category(), platform::AnsiToUtf8(path));
  }
  try {
    Survey();
    if (std::fseek(file_, 0, SEEK_SET) != 0) {
      throw std::system_error(errno, std::generic_category(), platform::AnsiToUtf8(path));
    }
    // The mark is no part of the first application's name.
    utf8_ = Refill() && std::string_view(block_.data(), end_).starts_with(kUtf8Bom);
    if (utf8_) pos_ = kUtf8Bom.size();
  } catch (...) {
    std::fclose(file_);
    throw;
  }
}

SnapshotLineReader::~SnapshotLineReader() {
  std::fclose(file_);
}

bool SnapshotLineReader::Refill() {
  pos_ = 0;
  end_ = std::fread(block_.data(), 1, block_.size(), file_);
  if (end_ == 0 && std::ferror(file_)) {
    throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(),
                            platform::AnsiToUtf8(path_));
  }
  return end_ > 0;
}

void SnapshotLineReader::Survey() {
  bool holdsCrLf = false;
  bool lastWasCr = false;
  while (Refill()) {
    const std::string_view block(block_.data(), end_);
    holdsCrLf = holdsCrLf || (lastWasCr && block[0] == '\n') ||
                block.find("\r\n") != std::string_view::npos;
    lineFeeds_ += static_cast<std::size_t>(std::count(block.begin(), block.end(), '\n'));
    lastWasCr = block.back() == '\r';
  }
  lineFeedEndsLines_ = !holdsCrLf;
}

bool SnapshotLineReader::Next(std::string& line) {
  if (!ReadLine(line)) return false;
  if (utf8_) ConvertFromUtf8(line);
  return true;
}

void SnapshotLineReader::RaiseBadLine(std::string_view problem) const {
  common::Raise(common::err::kSubscriptOutOfRange, "Line " + std::to_string(lineNumber_) +
                                                       " of the snapshot " + std::string(problem) +
                                                       ". " + consequence_);
}

void SnapshotLineReader::ConvertFromUtf8(std::string& line) const {
  if (platform::IsAscii(line)) return;
  // A character the code page lacks comes back as another one, and so does a byte
  // that is not UTF-8: only text that goes there and back unchanged is taken.
  std::string ansi = platform::Utf8ToAnsi(line);
  if (platform::AnsiToUtf8(ansi) != line) {
    RaiseBadLine("is UTF-8 text that the ANSI code page cannot hold exactly");
  }
  line = std::move(ansi);
}

bool SnapshotLineReader::ReadLine(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Refill()) {
      if (any) ++lineNumber_;
      return any;
    }
    any = true;
    const char* start = block_.data() + pos_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
    if (newline == nullptr) {
      line.append(start, end_ - pos_);
      pos_ = end_;
      continue;
    }
    line.append(start, static_cast<std::size_t>(newline - start));
    pos_ += static_cast<std::size_t>(newline - start) + 1;
    if (lineFeedEndsLines_) {
      ++lineNumber_;
      return true;
    }
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      ++lineNumber_;
      return true;
    }
    line += '\n';  // a lone LF belongs to the line
  }
}

}  // namespace bmRegistry
