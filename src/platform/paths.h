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

// A path the user gave (a command's FILE) is the user's own, not one of the tool's
// Windows paths: from now on NativePath hands it over exactly as written, so on a file
// system that tells case apart "NOTES.TXT" never replaces an unrelated "notes.txt", and
// a "\" stays part of a name. Where the tool's paths are the platform's (Windows) there
// is nothing to do.
void TakeAsWritten(std::string_view callersPath);

// kOther: a FIFO, a device or a socket, which no snapshot is read from or saved over.
enum class PathKind { kMissing, kFile, kDirectory, kOther };

// What is at the path (after NativePath and any symbolic links); kMissing also for an
// empty or malformed path.
PathKind QueryPath(std::string_view windowsPath);

}  // namespace platform
