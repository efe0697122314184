#pragma once
// Paths in the tool are Windows paths ("C:\VODureza\VODureza.ini", program folder +
// "\..\DAT"). NativePath turns one into what the platform's file calls take. File names
// on Windows match ignoring case, and the family's programs keep their files in whatever
// case their installers chose ("VARIrazEve.INI" for "VARIrazEve.ini"), so on a file
// system that tells case apart every component is taken as it is spelled on disk: the
// exact name first, else the one name that matches ignoring case.
#include <string>
#include <string_view>

namespace platform {

std::string NativePath(std::string_view windowsPath);

enum class PathKind { kMissing, kFile, kDirectory };

// What is at the path (after NativePath); kMissing also for an empty or malformed path.
PathKind QueryPath(std::string_view windowsPath);

}  // namespace platform
