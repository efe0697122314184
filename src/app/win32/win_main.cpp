// Starts RegTool.exe: the main window and its message loop.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include "app/win32/fm_reg_tool.h"
#include "app/win32/win32_user_interface.h"
#include "common/user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // With arguments the program runs one command of the command line instead of the
  // window (app::RunCommandLine(__argc, __argv), on the parent's console): it goes
  // here, before anything of the window is made.

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
