// Starts RegTool.exe: the main window and its message loop, or with arguments one
// command of the command line on the console of whoever started it.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <iostream>

#include "app/cli/command_line.h"
#include "app/win32/fm_reg_tool.h"
#include "app/win32/win32_user_interface.h"
#include "common/user_interface.h"
#include "controls/win32/wide_text.h"
#include "platform/console.h"

namespace {

// A service, or a task run while no one is logged on, has a window station no one sees:
// a window there would wait for ever for a user who never comes.
bool SeenWindowStation() {
  USEROBJECTFLAGS flags{};
  DWORD size = 0;
  if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                 &size)) {
    return true;  // no answer: let the window try
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

int NoDisplay() {
  platform::PrepareStandardStreams();
  std::cerr << "regtool: cannot open the window: no display (the commands need none; see "
               "regtool --help)\n";
  return app::kWrongUse;
}

// The window could not be made: the reason in a box, or, where not even a box can show
// (Wine with no X display), that there is no display.
int StartFailed(const std::exception& failure) {
  const int answer = MessageBoxW(nullptr, controls::Wide(failure.what()).c_str(),
                                 controls::Wide(common::kAppTitle).c_str(), MB_OK | MB_ICONSTOP);
  return answer > 0 ? app::kWrongUse : NoDisplay();
}

int RunWindow(int showCommand) {
  app::Win32UserInterface ui;
  common::InstallUserInterface(&ui);
  int exitCode = 0;
  try {
    app::fmRegTool window(nullptr, &ui);
    window.Show(showCommand);
    exitCode = window.RunMessageLoop();
  } catch (const std::exception& failure) {
    exitCode = StartFailed(failure);
  }
  common::InstallUserInterface(nullptr);
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // A command makes nothing of the window: it runs in a script, a scheduled task or a
  // service as well as at a prompt.
  if (__argc > 1) return app::RunCommandLine(__argc, __argv);
  if (!SeenWindowStation()) return NoDisplay();

  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  // The folder picker is a shell dialog, which needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int exitCode = RunWindow(showCommand);
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
