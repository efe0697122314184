#pragma once
// Reading a whole file with the posix calls, for the backends that parse files whole.
#include <string>

namespace platform::posix {

// The file's bytes into `bytes` (appended); 0, or the errno of the failed call
// (ENOENT when there is no file).
int ReadWholeFile(const std::string& nativePath, std::string& bytes);

}  // namespace platform::posix
