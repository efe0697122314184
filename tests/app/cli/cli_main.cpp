// The command line in a console program, for running it as a process under Wine: the
// Windows program that carries it for users is a windowed one.
#include "app/cli/command_line.h"

int main(int argc, char** argv) {
  return app::RunCommandLine(argc, argv);
}
