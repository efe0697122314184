#pragma once
// The console of a command-line run.

namespace platform {

// Gives a program without a console of its own (a windowed Windows program started
// from cmd, a script or a service) its parent's console for standard output and error,
// where they are not already redirected, so its output and exit status reach the
// caller. Nothing to do where a process always inherits its parent's terminal.
void UseParentConsole();

}  // namespace platform
