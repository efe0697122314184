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
    "  regtool --help | --version\n"
    "Options:\n"
    "  --yes                     answer Yes to a question (overwrite an existing file)\n"
    "With no command the window opens.\n"
    "Exit status: 0 done (diff: nothing would change), 1 failed (diff: something would\n"
    "change), 2 wrong use or trouble before any work (diff: FILE cannot be compared;\n"
    "restore, undo: no undo file could be written, so nothing was changed).\n"
    "Every restore can be taken back: the undo files are kept in\n"
    "%LOCALAPPDATA%\\RegTool\\Undo (Windows) or ~/.local/state/regtool/undo (Linux),\n"
    "the newest 20; each is a registry export file that Windows can also import.\n";

struct Command {
  std::string_view name;
  std::size_t fewest;  // operands
  std::size_t most;
  std::string_view operand;
};
constexpr Command kCommands[] = {
    {"save", 0, 1, "[FILE]"},  {"show", 1, 1, "FILE"},       {"diff", 1, 1, "FILE"},
    {"restore", 1, 1, "FILE"}, {"set-server", 1, 1, "NAME"}, {"undo", 0, 1, "[FILE] or --list"},
};

int WrongUse(std::ostream& err, std::string_view complaint) {
  err << "regtool: " << ConsoleText(complaint) << '\n' << kUsage;
  return kWrongUse;
}

int Run(const Command& command, const std::vector<std::string>& operands, std::ostream& out) {
  const std::string_view name = command.name;
  if (name == "save") {
    return commands::Save(operands.empty() ? std::nullopt : std::optional(operands[0]));
  }
  if (name == "show") return commands::Show(operands[0], out);
  if (name == "diff") return commands::Diff(operands[0], out);
  if (name == "restore") return commands::Restore(operands[0]);
  if (name == "undo") {
    if (!operands.empty() && operands[0] == "--list") return commands::ListUndo(out);
    return commands::Undo(operands.empty() ? std::nullopt : std::optional(operands[0]));
  }
  return commands::SetServer(operands[0], out);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  std::vector<std::string> words;
  bool answerYes = false;
  for (const std::string& argument : arguments) {
    if (argument == "--yes") {
      answerYes = true;
    } else {
      words.push_back(argument);
    }
  }
  if (words.empty()) return WrongUse(err, "no command given");
  const std::string& first = words.front();
  if (words.size() == 1 && (first == "--help" || first == "-h")) {
    out << kUsage;
    return kDone;
  }
  if (words.size() == 1 && first == "--version") {
    out << "RegTool " << REGTOOL_VERSION << '\n';
    return kDone;
  }
  const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command& c) { return c.name == first; });
  if (command == std::end(kCommands)) {
    return WrongUse(err, "unknown command \"" + platform::AnsiToUtf8(first) + "\"");
  }
  const std::vector<std::string> operands(words.begin() + 1, words.end());
  if (operands.size() < command->fewest || operands.size() > command->most) {
    return WrongUse(err, std::string(command->name) + " takes " + std::string(command->operand));
  }
  ConsoleUserInterface ui(err, answerYes);
  const int status = Run(*command, operands, out);
  out.flush();
  err.flush();
  return status;
}

int RunCommandLine(int argc, char** argv) {
  // The ANSI code page of the settings, snapshot files and INI files follows the locale.
  std::setlocale(LC_ALL, "");
  platform::UseParentConsole();
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

}  // namespace app
