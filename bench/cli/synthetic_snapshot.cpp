// Writes the synthetic settings tree as a snapshot file, for timing the command line's
// restore, diff and save on it as whole processes (bench/cli-timings.sh).
//
//   regtool_synthetic_snapshot <values> FILE
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/synthetic_settings.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <values> FILE\n", argv[0]);
    return 2;
  }
  // The texts are made in the locale's code page, as the program reads them.
  std::setlocale(LC_ALL, "");
  const auto settings = bench::SyntheticSettings(std::strtoul(argv[1], nullptr, 10));
  std::ofstream(argv[2], std::ios::binary) << bench::SnapshotText(settings);
  std::printf("%zu\n", settings.size());
  return 0;
}
