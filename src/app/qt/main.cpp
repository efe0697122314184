// Starts the tool: the main window, or with arguments one command of the command line.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/cli/command_line.h"
#include "app/qt/artwork.h"
#include "app/qt/fm_reg_tool.h"
#include "app/qt/qt_user_interface.h"
#include "controls/qt/qt_fonts.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // A command runs with no QApplication, so it needs no display: over SSH, in a service.
  if (argc > 1) return app::RunCommandLine(argc, argv);
  if (!HasDisplay()) {
    // Qt would abort with a message about platform plugins; say what to do instead. The
    // status is the command line's "trouble before any work".
    std::fprintf(stderr,
                 "regtool: cannot open the window: no display (the commands need none; see "
                 "regtool --help)\n"
                 "To open it on a machine without one, run it under a virtual display:\n"
                 "  xvfb-run -a %s\n",
                 argv[0]);
    return app::kWrongUse;
  }
  // The ANSI code page of the settings, snapshot files and INI files follows the locale.
  std::setlocale(LC_ALL, "");
  QApplication application(argc, argv);
  controls::InstallFontSubstitutes();
  QApplication::setWindowIcon(app::ApplicationIcon());

  app::QtUserInterface ui;
  common::InstallUserInterface(&ui);
  int exitCode = 0;
  {
    fmRegTool window;
    window.show();
    exitCode = QApplication::exec();
  }
  common::InstallUserInterface(nullptr);
  return exitCode;
}
