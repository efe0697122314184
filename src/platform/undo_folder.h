#pragma once
// The folder of the user's own where every restore leaves its undo file, and the few
// file calls that keep it: on Windows %LOCALAPPDATA%\RegTool\Undo, on posix
// ${XDG_STATE_HOME:-~/.local/state}/regtool/undo. Paths are in the platform's form.
#include <string>
#include <vector>

namespace platform {

// The folder, every missing level made (0700 on posix). False, with `reason`, when the
// environment names no usable folder or it cannot be made.
bool MakeUndoFolder(std::string& folder, std::string& reason);

// The folder as MakeUndoFolder finds it, made or not; empty when the environment names
// none.
std::string UndoFolderPath();

// The names of the regular files in `folder` (none when it cannot be read).
std::vector<std::string> FileNamesIn(const std::string& folder);

// `folder` + the separator + `name`.
std::string PathInFolder(const std::string& folder, const std::string& name);

enum class NewFile { kCreated, kExists, kFailed };
// Creates an empty file that did not exist, so that two processes never pick one name.
NewFile CreateNewFile(const std::string& path, std::string& reason);

// Removes a file; false when it cannot be removed.
bool RemoveFile(const std::string& path);

}  // namespace platform
