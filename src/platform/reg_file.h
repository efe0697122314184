#pragma once
// The classic registry export format ("REGEDIT4"), in which the posix store keeps the
// whole HKEY_CURRENT_USER tree:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\VB and VBA Program Settings\App\Section]
//   "Name"="text with \\ and \" escaped"
//   @="the unnamed value"
//   "Count"=dword:00000001
//   "Blob"=hex:00,ff
//   "Other"=hex(7):6f,6e,65,00,00
//
// A string value written in quotes stands for its text followed by a NUL. A string
// value whose bytes a quoted line would not give back exactly (a line break, no
// terminating NUL, a NUL inside) is written as hex(1):. Long hex data continue on the
// next line after a "\". Every key has its own [..] line, so empty keys survive.
//
// The file is 8-bit text in the ANSI code page. In a [..] line a "\" that is the trail
// byte of a double-byte character belongs to its name; quoted text is escaped byte by
// byte (such a trail byte is written "\\"), so it reads back the same in any locale.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/reg_tree.h"
#include "platform/settings_store.h"

namespace platform::reg {

inline constexpr std::string_view kCurrentUserName = "HKEY_CURRENT_USER";

struct ParseError {
  std::size_t line = 0;  // from 1
  std::string message;
};

// Reads a whole file into `currentUser`, which must be empty. Lines end in LF or CR LF;
// blank lines and lines starting with ";" are passed over. False, with the line and
// what is wrong there, when the text is not such a file; `currentUser` is then
// incomplete and is to be thrown away.
bool ParseRegFile(std::string_view text, Key& currentUser, ParseError& error);

// The whole tree, keys depth-first in enumeration order, values in creation order,
// lines ending in CR LF. ParseRegFile gives back the same names, types and bytes.
std::string FormatRegFile(const Key& currentUser);

// A value's data as its line gives them after "=", on one line: "text", dword:00000003,
// hex:00,ff, hex(7):..., so that a report can name a value with its type.
std::string FormatValueData(std::uint32_t type, std::string_view data);

// The registry's own export format, version 5, which its import and a double-click on
// the file carry out: "Windows Registry Editor Version 5.00", UTF-16LE with its BOM,
// CR LF; [-key] deletes a key with everything below it, "name"=- a value; the data of
// the string types in hex are UTF-16LE. Names and texts are converted from the ANSI
// code page.

// Where an export file goes as it is made, in pieces, so that a file of 100 000 values
// is never held whole.
class RegExportSink {
 public:
  virtual ~RegExportSink() = default;
  virtual void Write(std::string_view bytes) = 0;
  // What was written so far is void: the file starts again from its first byte.
  virtual void Restart() = 0;
};

// The changes in order, consecutive ones of one key under one [key] line, after
// `comment` (ANSI; one ";" line for each of its lines), handed to `sink`. Where a name
// or text does not convert exactly (bytes no character of the code page; only a store
// that keeps bytes holds such), the sink is restarted and given the same lines in the
// REGEDIT4 format, ANSI, which give every byte back. What the sink throws goes through.
// `changes` hands every change to its visitor in order, as often as it is called.
using RegChangeSource = std::function<void(const std::function<void(const RegChange&)>& visit)>;
void FormatRegExport(const RegChangeSource& changes, std::string_view comment, RegExportSink& sink);

// An export file's changes in order, each [key] line a kCreateKey. Takes version 5
// (UTF-16LE with its BOM) and REGEDIT4 (ANSI) files. False, with the line and what is
// wrong there, for any other text, and for text the ANSI code page cannot carry exactly.
bool ParseRegExport(std::string_view bytes, RegChanges& changes, ParseError& error);

}  // namespace platform::reg
