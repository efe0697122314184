#pragma once
// Paths in the tool are Windows paths ("C:\VODureza\VODureza.ini", program folder +
// "\..\DAT"). NativePath turns one into what the platform's file calls take.
#include <string>
#include <string_view>

namespace platform {

std::string NativePath(std::string_view windowsPath);

enum class PathKind { kMissing, kFile, kDirectory };

// What is at the path (after NativePath); kMissing also for an empty or malformed path.
PathKind QueryPath(std::string_view windowsPath);

}  // namespace platform
