// The undo file is the registry's own export format: the registry's import of it takes
// the restore back just as `RegTool.exe undo` does.
#include <windows.h>

#include <gtest/gtest.h>

#include "command_run.h"
#include "undo_check.h"

namespace cli_tests {
namespace {

// `reg import FILE`, the registry's own import; its exit status.
DWORD RegImport(const std::string& file) {
  std::string commandLine = "reg.exe import \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError();
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}

TEST(CommandLineUndoWine, TheRegistrysImportOfTheUndoFileGivesTheStoreUndoGives) {
  CommandSandbox sandbox;
  SeedUndoStore(sandbox.store());
  const std::string before = DumpUndoStore(sandbox.store());
  const std::string file = sandbox.File("restore.txt");
  // Blob comes first in Wine's order of the key's values (by name): the restore moves
  // them all, and the undo file deletes the key and makes it again.
  testing_support::WriteBytes(
      file, platform::Utf8ToAnsi(std::string(kUndoApplication) + ",視窗,Left,240\r\n" +
                                 kUndoApplication + ",視窗,Count,7\r\n" + kUndoApplication +
                                 ",視窗,Blob,x\r\n" + kAddedApplication + ",區段,鍵,v\r\n"));

  for (const char* how : {"reg import", "RegTool.exe undo"}) {
    SCOPED_TRACE(how);
    ASSERT_EQ(sandbox.Run({"restore", file}).exitStatus, 0);
    ASSERT_NE(DumpUndoStore(sandbox.store()), before);
    if (std::string(how) == "reg import") {
      const CommandRun list = sandbox.Run({"undo", "--list"});
      const std::string newest = list.out.substr(0, list.out.find('\t'));
      ASSERT_EQ(RegImport(newest), 0u) << newest;
    } else {
      ASSERT_EQ(sandbox.Run({"undo"}).exitStatus, 0);
    }
    EXPECT_EQ(DumpUndoStore(sandbox.store()), before);
  }
  RemoveUndoStore(sandbox.store());
}

}  // namespace
}  // namespace cli_tests
