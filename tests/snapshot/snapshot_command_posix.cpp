#include "snapshot_command_posix.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace snapshot_tests {

SnapshotCommand::SnapshotCommand(const std::vector<std::string>& arguments,
                                 const std::string& configHome, uid_t runAs) {
  std::string program = REGTOOL_SNAPSHOT_COMMAND;
  if (runAs != static_cast<uid_t>(-1)) {
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(configHome) / "snapshot_command";
    std::error_code error;
    fs::create_directories(configHome, error);
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing, error);
    if (error) {
      ADD_FAILURE() << "cannot copy " << program << " to " << copy << ": " << error.message();
      return;
    }
    program = copy.string();
  }
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) {
    ADD_FAILURE() << "pipe failed";
    return;
  }
  std::vector<char*> argv;
  argv.push_back(program.data());
  std::vector<std::string> copies(arguments);
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipeEnds[1], STDOUT_FILENO);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    ::setenv("XDG_STATE_HOME", (configHome + "-state").c_str(), 1);
    if (runAs != static_cast<uid_t>(-1) && (::setgid(runAs) != 0 || ::setuid(runAs) != 0)) {
      ::_exit(101);
    }
    ::execv(argv[0], argv.data());
    ::_exit(102);
  }
  ::close(pipeEnds[1]);
  output_ = pipeEnds[0];
  if (pid_ < 0) ADD_FAILURE() << "fork failed";
}

SnapshotCommand::~SnapshotCommand() {
  if (pid_ > 0) Wait();
  if (output_ >= 0) ::close(output_);
}

CommandOutcome SnapshotCommand::Wait() {
  CommandOutcome outcome;
  char buffer[4096];
  while (output_ >= 0) {
    const ssize_t n = ::read(output_, buffer, sizeof buffer);
    if (n > 0) {
      outcome.output.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
    outcome.failedRoutines = WEXITSTATUS(status);
  }
  pid_ = -1;
  return outcome;
}

}  // namespace snapshot_tests
