#pragma once
// Runs the command-line program as a process of its own and collects what it left.
// Each test gets a store of its own where the platform allows it: on posix the
// program's settings and its drive C: live in a fresh folder; on Windows the program
// uses the registry of the (throw-away) Wine prefix, so tests there name settings no
// one else uses and remove them afterwards.
#include <memory>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "support/temp_dir.h"

namespace cli_tests {

struct CommandRun {
  int exitStatus = -1;  // -1 when the process did not end by itself
  std::string out;
  std::string err;
};

// UTF-8 text as the program writes it to a redirected standard stream: UTF-8 on posix,
// the console's code page on Windows.
std::string AsRedirected(const std::string& utf8);

class CommandSandbox {
 public:
  CommandSandbox();
  ~CommandSandbox();
  CommandSandbox(const CommandSandbox&) = delete;
  CommandSandbox& operator=(const CommandSandbox&) = delete;

  // `regtool <arguments>` with no display, its output collected.
  CommandRun Run(const std::vector<std::string>& arguments);
#ifndef _WIN32
  // The same with standard output on `device` ("/dev/full"), or closed when it is empty;
  // only the error stream is collected.
  CommandRun RunWithOutputOn(const std::vector<std::string>& arguments, const std::string& device);
#endif

  // The store the program sees, opened in this process.
  platform::SettingsStore& store() { return *store_; }
  // A path for a test file (the platform's form).
  std::string File(const std::string& name) const { return dir_.file(name); }
  const testing_support::TempDir& dir() const { return dir_; }

 private:
#ifndef _WIN32
  CommandRun Spawn(const std::vector<std::string>& arguments, const std::string* output);
#endif
  testing_support::TempDir dir_;
  struct Environment;
  std::unique_ptr<Environment> environment_;
  std::unique_ptr<platform::SettingsStore> store_;
};

}  // namespace cli_tests
