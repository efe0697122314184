#pragma once
#include <optional>
#include <string>

namespace platform {

// GetComputerNameA into a buffer of `capacity` bytes; nothing when the call fails.
std::optional<std::string> ComputerName(unsigned capacity);

// The folder that holds the running executable, in the platform's path form and
// without a trailing separator.
std::string ProgramFolder();

// True when the Windows build runs under Wine, which departs from Windows in a few
// known ways; always false for a native build.
bool RunningUnderWine();

}  // namespace platform
