#pragma once
// The commands of the command line, each on the page the window's button runs. Files
// and names are ANSI, as the platform passes arguments; the result is the exit status.
#include <iosfwd>
#include <optional>
#include <string>

namespace app::commands {

int Save(const std::optional<std::string>& file);
int Show(const std::string& file, std::ostream& out);
int Diff(const std::string& file, std::ostream& out);
int Restore(const std::string& file);
// Applies the undo file FILE, by default the newest.
int Undo(const std::optional<std::string>& file);
int ListUndo(std::ostream& out);
int SetServer(const std::string& name, std::ostream& out);

}  // namespace app::commands
