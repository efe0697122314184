#pragma once
// The small shared routines of basBase and basComDlg. Texts that go to the platform
// (file paths, INI entries) are 8-bit ANSI; texts of the user interface are UTF-8.
#include <optional>
#include <string>
#include <string_view>

#include "common/user_interface.h"

namespace basBase {

// This machine's computer name, or empty text when the system does not supply it.
std::string GetThisComputerName();

// Sets key=value in [section] of the INI file (all ANSI). Returns the platform's
// result: a refused write is false, so a caller can tell the user.
bool WriteIniValue(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value);

// An SQL string literal: apostrophes doubled, then leading and trailing spaces (only
// spaces) removed, the whole in apostrophes. A missing value gives "''".
std::string QuoteSql(std::optional<std::string_view> text);

// True for a path that holds a file (not a folder, a FIFO or a device); every failure
// means false.
bool IsFile(std::string_view path);

// The text with the separator at its end; empty text stays empty. Works on whole
// characters of the ANSI code page.
std::string WithTrailing(std::string_view text, std::string_view separator);

}  // namespace basBase

namespace basComDlg {

// Set by the caller right before each BrowseForFolder; they keep their values.
extern void* BrowseOwner;
extern std::string BrowseTitle;  // UTF-8
extern bool BrowseFoldersOnly;

// The chosen folder (ANSI, no trailing separator except a drive root), or empty text
// when the user cancels or the choice has no file-system path.
std::string BrowseForFolder();

}  // namespace basComDlg
