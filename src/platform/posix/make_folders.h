#pragma once
// The folders of the user's own that XDG names, and making them as XDG asks: 0700.
#include <string>

namespace platform::posix {

// The XDG base folder `variable` names (XDG_CONFIG_HOME, say), else `underHome` below
// the user's home ("/.config"), read from the environment now; empty when there is no
// usable one. Relative paths are passed over, as XDG asks. A "\" in the path is refused:
// the file writer takes paths in Windows form and would take it for a "/".
std::string XdgBaseFolder(const char* variable, const char* underHome);

// 0, or the errno of the level that could not be made.
int MakeFolders(const std::string& folder);

}  // namespace platform::posix
