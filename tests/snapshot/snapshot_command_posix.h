#pragma once
// Runs the snapshot_command helper (snapshot_command_main.cpp) as a process of its own,
// so that tests can have several tool processes work on one store at once, or one run
// with another user's rights.
#include <sys/types.h>

#include <string>
#include <vector>

namespace snapshot_tests {

struct CommandOutcome {
  int failedRoutines = -1;  // the exit status; -1 when the process did not exit
  std::string output;       // one "box: <text>" line per message box
};

class SnapshotCommand {
 public:
  // Starts `snapshot_command restore|save FILE...` with its store below `configHome`.
  // With `runAs` given, the process drops to that user and group first, and runs a copy
  // of the program placed in `configHome`: the user must reach that folder anyway, while
  // the build folder may lie below one only its owner may enter.
  SnapshotCommand(const std::vector<std::string>& arguments, const std::string& configHome,
                  uid_t runAs = static_cast<uid_t>(-1));
  ~SnapshotCommand();
  SnapshotCommand(const SnapshotCommand&) = delete;
  SnapshotCommand& operator=(const SnapshotCommand&) = delete;

  // Waits for the process to end.
  CommandOutcome Wait();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
};

}  // namespace snapshot_tests
