// Starts RegTool.exe: the main window and its message loop, or with arguments one
// command of the command line on the console of whoever started it.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include "app/cli/command_line.h"
#include "app/win32/fm_reg_tool.h"
#include "app/win32/win32_user_interface.h"
#include "common/user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // A command makes nothing of the window: it runs in a script, a scheduled task or a
  // service as well as at a prompt.
  if (__argc > 1) return app::RunCommandLine(__argc, __argv);

  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  // The folder picker is a shell dialog, which needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  app::Win32UserInterface ui;
  common::InstallUserInterface(&ui);
  int exitCode = 0;
  {
    app::fmRegTool window(nullptr, &ui);
    window.Show(showCommand);
    exitCode = window.RunMessageLoop();
  }
  common::InstallUserInterface(nullptr);
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
