#include "common/basbase.h"

#include "platform/ansi_codepage.h"
#include "platform/paths.h"
#include "platform/profile_writer.h"
#include "platform/system_info.h"

namespace basBase {

std::string GetThisComputerName() {
  // The name as the platform fills a 255-byte buffer; the characters before the first
  // NUL, nothing else trimmed; empty when the call fails.
  return platform::ComputerName(255).value_or(std::string());
}

bool WriteIniValue(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value) {
  return platform::WritePrivateProfileString(section, key, value, file);
}

std::string QuoteSql(std::optional<std::string_view> text) {
  std::string doubled;
  if (text) {
    doubled.reserve(text->size() + 2);
    for (const char c : *text) {
      doubled += c;
      if (c == '\'') doubled += '\'';
    }
  }
  const auto first = doubled.find_first_not_of(' ');
  const auto last = doubled.find_last_not_of(' ');
  const std::string trimmed =
      first == std::string::npos ? std::string() : doubled.substr(first, last - first + 1);
  return "'" + trimmed + "'";
}

bool IsFile(std::string_view path) {
  try {
    return platform::QueryPath(path) == platform::PathKind::kFile;
  } catch (...) {
    return false;
  }
}

std::string WithTrailing(std::string_view text, std::string_view separator) {
  if (text.empty()) return std::string();
  std::size_t lastStart = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += platform::CharacterLength(text, pos)) {
    lastStart = pos;
  }
  if (text.substr(lastStart) == separator) return std::string(text);
  return std::string(text) + std::string(separator);
}

}  // namespace basBase

namespace basComDlg {

void* BrowseOwner = nullptr;
std::string BrowseTitle;
bool BrowseFoldersOnly = false;

std::string BrowseForFolder() {
  const std::string chosen = common::Ui().BrowseForFolder(
      common::FolderRequest{BrowseOwner, BrowseTitle, BrowseFoldersOnly});
  return platform::Utf8ToAnsi(chosen);
}

}  // namespace basComDlg
