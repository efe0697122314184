#include "app/cli/command_line.h"

#include <algorithm>
#include <clocale>
#include <iostream>
#include <optional>
#include <string_view>

#include "app/cli/commands.h"
#include "app/cli/console_user_interface.h"
#include "platform/ansi_codepage.h"
#include "platform/console.h"
#include "platform/paths.h"

namespace app {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  regtool save [FILE]       write every setting to FILE (default: the default\n"
    "                            snapshot file, DAT\\Reg_<computer name>.TXT)\n"
    "  regtool show FILE         print the snapshot's rows, cells separated by tabs\n"
    "  regtool diff FILE         print what restoring FILE would add (+) or change (~);\n"
    "                            changes nothing\n"
    "  regtool restore FILE      check the whole file, then restore it as one batch;\n"
    "                            first its exact inverse goes to an undo file\n"
    "  regtool undo [FILE]       take a restore back: apply the undo file FILE (default:\n"
    "                            the newest), itself first undone into a new one\n"
    "  regtool undo --list       the undo files, newest first: file, the snapshot it\n"
    "                            takes back, how many values it gives back\n"
    "  regtool set-server NAME   point the programs' INI files and the main-menu\n"
    "                            database at the server NAME\n"
    "  regtool --help | -h | /? | --version\n"
    "Options:\n"
    "  --yes                     answer Yes to a question (overwrite an existing file)\n"
    "  --                        end of the options: a FILE or NAME may start with -\n"
    "A FILE is used as written. show and diff print one line per setting: a tab, line\n"
    "end, other control character or \\ in the data appears as \\t, \\r, \\n, \\xNN, \\\\.\n"
    "With no command the window opens.\n"
    "Every restore can be taken back: before it changes anything it writes its exact\n"
    "inverse to an undo file, kept in %LOCALAPPDATA%\\RegTool\\Undo (Windows) or\n"
    "~/.local/state/regtool/undo (Linux), the newest 20; each is a registry export\n"
    "file that Windows can also import.\n"
    "Exit status:\n"
    "  0  done; diff: nothing would change\n"
    "  1  failed (the reason is on standard error); diff: something would change;\n"
    "     save: written, but a restore of it would fail as a whole;\n"
    "     set-server: an item failed\n"
    "  2  wrong use, or trouble before any work: a FILE missing, unreadable or not a\n"
    "     file, a save target that is not a file, output that cannot be written, no\n"
    "     undo file could be written (nothing was changed), no display for the window\n";

// What a command's operand is: a path of the caller's, or a plain name.
enum class Operand { kFile, kName };

struct Command {
  std::string_view name;
  std::size_t fewest;  // operands
  std::size_t most;
  Operand kind;
  std::string_view operand;
};
constexpr Command kCommands[] = {
    {"save", 0, 1, Operand::kFile, "[FILE]"},     {"show", 1, 1, Operand::kFile, "FILE"},
    {"diff", 1, 1, Operand::kFile, "FILE"},       {"restore", 1, 1, Operand::kFile, "FILE"},
    {"set-server", 1, 1, Operand::kName, "NAME"}, {"undo", 0, 1, Operand::kFile, "[FILE]"},
};

int WrongUse(std::ostream& err, std::string_view complaint) {
  err << "regtool: " << ConsoleText(complaint) << '\n' << kUsage;
  return kWrongUse;
}

// The words of a command line, options taken out.
struct Words {
  std::vector<std::string> words;
  bool answerYes = false;
  bool help = false;
  bool version = false;
  bool list = false;  // undo --list
  std::optional<std::string> unknownOption;
};

// Before "--", a word that starts with "-" is an option, and so is "/?" (the help in
// the command's place, wrong use after it): an option the tool does not know is wrong
// use, never a file to write or a server name to set.
Words ReadWords(const std::vector<std::string>& arguments) {
  Words read;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded) {
      read.words.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--yes") {
      read.answerYes = true;
    } else if (argument == "--help" || argument == "-h" ||
               (argument == "/?" && read.words.empty())) {
      read.help = true;
    } else if (argument == "--version") {
      read.version = true;
    } else if (argument == "--list") {
      read.list = true;
    } else if (argument.starts_with('-') || argument == "/?") {
      if (!read.unknownOption) read.unknownOption = argument;
    } else {
      read.words.push_back(argument);
    }
  }
  return read;
}

int Run(const Command& command, const std::vector<std::string>& operands, bool list,
        std::ostream& out, std::ostream& err, ConsoleUserInterface& ui) {
  const std::string_view name = command.name;
  if (name == "save") {
    return commands::Save(operands.empty() ? std::nullopt : std::optional(operands[0]), ui, err);
  }
  if (name == "show") return commands::Show(operands[0], out, err);
  if (name == "diff") return commands::Diff(operands[0], out, err);
  if (name == "restore") return commands::Restore(operands[0], err);
  if (name == "undo") {
    if (list) return commands::ListUndo(out);
    return commands::Undo(operands.empty() ? std::nullopt : std::optional(operands[0]), err);
  }
  return commands::SetServer(operands[0], out);
}

int RunWords(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  const Words read = ReadWords(arguments);
  if (read.unknownOption) {
    return WrongUse(err, "unknown option \"" + platform::AnsiToUtf8(*read.unknownOption) +
                             "\" (put -- before a FILE or NAME that starts with -)");
  }
  if (read.help) {
    out << kUsage;
    return kDone;
  }
  if (read.version) {
    out << "RegTool " << REGTOOL_VERSION << '\n';
    return kDone;
  }
  if (read.words.empty()) return WrongUse(err, "no command given");
  const std::string& first = read.words.front();
  const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command& c) { return c.name == first; });
  if (command == std::end(kCommands)) {
    return WrongUse(err, "unknown command \"" + platform::AnsiToUtf8(first) + "\"");
  }
  const std::vector<std::string> operands(read.words.begin() + 1, read.words.end());
  if (read.list && (command->name != "undo" || !operands.empty())) {
    return WrongUse(err, "--list goes with undo alone");
  }
  if (operands.size() < command->fewest || operands.size() > command->most) {
    return WrongUse(err, std::string(command->name) + " takes " + std::string(command->operand));
  }
  for (const std::string& operand : operands) {
    if (operand.empty()) {
      return WrongUse(err, std::string(command->name) + " takes " + std::string(command->operand) +
                               ", not an empty word");
    }
    if (command->kind == Operand::kFile) platform::TakeAsWritten(operand);
  }
  ConsoleUserInterface ui(err, read.answerYes);
  return Run(*command, operands, read.list, out, err, ui);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  int status = RunWords(arguments, out, err);
  // What a command printed counts only once it is delivered: a report lost to a full
  // disk or a closed stream is no "done", and a lost diff is no "something would change".
  if (!out.flush()) {
    err << "regtool: cannot write to standard output; what the command printed is lost\n";
    status = kWrongUse;
  }
  if (!err.flush()) status = kWrongUse;
  return status;
}

int RunCommandLine(int argc, char** argv) {
  // The ANSI code page of the settings, snapshot files and INI files follows the locale.
  std::setlocale(LC_ALL, "");
  platform::PrepareStandardStreams();
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

}  // namespace app
