#pragma once
// The program's commands, run from a command line with no window and no display:
//
//   regtool save [FILE]      every setting to FILE (default: the default snapshot file)
//   regtool show FILE        the rows "讀入Registry" would show, cells separated by tabs
//   regtool diff FILE        what "restore FILE" would add or change; changes nothing
//   regtool restore FILE     the whole file checked, then restored as one batch
//   regtool set-server NAME  "修改系統參數檔", then "修改主選單", for NAME
//   regtool --help | --version
//
// They run the window's page commands; what the window shows in boxes goes to the error
// stream, and a question is answered No unless --yes is given.
#include <iosfwd>
#include <string>
#include <vector>

namespace app {

// Exit statuses.
inline constexpr int kDone = 0;      // for diff: nothing would change
inline constexpr int kFailed = 1;    // for diff: something would change
inline constexpr int kWrongUse = 2;  // or trouble before any work

// Runs the command named by `arguments` (those after the program's name, in the ANSI
// code page, as the platform passes them). `out` and `err` take console text.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The same for a process: its own arguments and standard streams, on the console of
// whoever started it.
int RunCommandLine(int argc, char** argv);

}  // namespace app
