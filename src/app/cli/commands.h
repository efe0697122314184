#pragma once
// The commands of the command line, each on the page the window's button runs. Files
// and names are ANSI, as the platform passes arguments; the result is the exit status.
// A FILE that cannot be read, or a save target that is no file, stops a command before
// any work, said on `err`.
#include <iosfwd>
#include <optional>
#include <string>

namespace app {
class ConsoleUserInterface;
}

namespace app::commands {

int Save(const std::optional<std::string>& file, ConsoleUserInterface& ui, std::ostream& err);
int Show(const std::string& file, std::ostream& out, std::ostream& err);
int Diff(const std::string& file, std::ostream& out, std::ostream& err);
int Restore(const std::string& file, std::ostream& err);
// Applies the undo file FILE, by default the newest.
int Undo(const std::optional<std::string>& file, std::ostream& err);
int ListUndo(std::ostream& out);
int SetServer(const std::string& name, std::ostream& out);

}  // namespace app::commands
