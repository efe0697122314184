#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "postgres_server.h"

extern char** environ;

namespace testing_support {

// psql, so that the data is prepared and read without ODBC at all.
std::string PostgresServer::Psql(std::string_view database, std::string_view sql) const {
  const std::vector<std::string> args = {
      "psql",          "-X", "-q",   "-A", "-t", "-v", "ON_ERROR_STOP=1",     "-h",
      socketFolder_,   "-p", "1433", "-U", "sa", "-d", std::string(database), "-c",
      std::string(sql)};
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  int out[2];
  if (::pipe(out) != 0) {
    ADD_FAILURE() << "pipe failed";
    return {};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "psql", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t n; spawned == 0 && (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
    output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    ADD_FAILURE() << "psql failed on: " << sql;
  }
  return output;
}

}  // namespace testing_support
