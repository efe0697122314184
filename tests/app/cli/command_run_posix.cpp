#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <memory>
#include <optional>

#include "command_run.h"
#include "support/scoped_env.h"

extern char** environ;

namespace cli_tests {

std::string AsRedirected(const std::string& utf8) {
  return utf8;
}

// The program's store, undo folder and drive C: in the test's folder, and no display anywhere: a
// command must not need one.
struct CommandSandbox::Environment {
  explicit Environment(const testing_support::TempDir& dir)
      : config("XDG_CONFIG_HOME", dir.file("config")),
        state("XDG_STATE_HOME", dir.file("state")),
        wine("WINEPREFIX", dir.file("wine")),
        display("DISPLAY", std::nullopt),
        wayland("WAYLAND_DISPLAY", std::nullopt),
        qpa("QT_QPA_PLATFORM", std::nullopt) {}
  testing_support::ScopedEnv config, state, wine, display, wayland, qpa;
};

CommandSandbox::CommandSandbox()
    : environment_(std::make_unique<Environment>(dir_)),
      store_(platform::OpenUserSettingsStore()) {}

CommandSandbox::~CommandSandbox() = default;

CommandRun CommandSandbox::Run(const std::vector<std::string>& arguments) {
  const std::string out = dir_.file("stdout");
  CommandRun run = Spawn(arguments, &out);
  run.out = testing_support::ReadBytes(out);
  return run;
}

CommandRun CommandSandbox::RunWithOutputOn(const std::vector<std::string>& arguments,
                                           const std::string& device) {
  return Spawn(arguments, device.empty() ? nullptr : &device);
}

// Standard output on `output`, or closed when there is none.
CommandRun CommandSandbox::Spawn(const std::vector<std::string>& arguments,
                                 const std::string* output) {
  const std::string err = dir_.file("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output != nullptr) {
    posix_spawn_file_actions_addopen(&actions, 1, output->c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
  } else {
    posix_spawn_file_actions_addclose(&actions, 1);
  }
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> words = {REGTOOL_CLI_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  CommandRun run;
  if (spawned != 0) return run;
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  run.err = testing_support::ReadBytes(err);
  return run;
}

}  // namespace cli_tests
