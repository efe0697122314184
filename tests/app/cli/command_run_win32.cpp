#include <windows.h>

#include "command_run.h"
#include "platform/ansi_codepage.h"

namespace cli_tests {

std::string AsRedirected(const std::string& utf8) {
  return platform::Utf8ToConsole(utf8);
}

// The program and the test share the Wine prefix's registry and drive C:.
struct CommandSandbox::Environment {};

CommandSandbox::CommandSandbox()
    : environment_(std::make_unique<Environment>()), store_(platform::OpenUserSettingsStore()) {}

CommandSandbox::~CommandSandbox() = default;

namespace {

HANDLE CreateOutputFile(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A console program's text streams end lines with CR LF; the tests compare lines.
std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

}  // namespace

CommandRun CommandSandbox::Run(const std::vector<std::string>& arguments) {
  const std::string out = dir_.file("stdout"), err = dir_.file("stderr");
  // The tests' arguments hold no quotes: quoting each one is enough.
  std::string commandLine = "\"" REGTOOL_CLI_PROGRAM "\"";
  for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = CreateOutputFile(out);
  startup.hStdError = CreateOutputFile(err);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  CommandRun run;
  if (!started) return run;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  if (GetExitCodeProcess(process.hProcess, &status)) run.exitStatus = static_cast<int>(status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.out = WithoutCarriageReturns(testing_support::ReadBytes(out));
  run.err = WithoutCarriageReturns(testing_support::ReadBytes(err));
  return run;
}

}  // namespace cli_tests
