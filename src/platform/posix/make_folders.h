#pragma once
// Making a folder of the user's own with every missing level, as XDG asks: 0700.
#include <string>

namespace platform::posix {

// 0, or the errno of the level that could not be made.
int MakeFolders(const std::string& folder);

}  // namespace platform::posix
