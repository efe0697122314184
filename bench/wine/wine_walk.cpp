// The settings walk on the registry of a Windows build, for comparing it under Wine with
// the registry's own export of the same tree (bench/wine-walk-ratio.sh).
//
//   regtool_wine_walk seed <values>   stores the synthetic tree of that many settings
//   regtool_wine_walk walk            walks it into records once; prints how many
//
// The script times each run as a whole process, as it times the export.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/synthetic_settings.h"
#include "platform/settings_store.h"
#include "snapshot/bmregistry.h"

namespace {

int Seed(std::size_t values) {
  const auto store = platform::OpenUserSettingsStore();
  const auto settings = bench::SyntheticSettings(values);
  const platform::Status status = store->RestoreSettings(settings);
  if (status != platform::kSuccess) {
    std::fprintf(stderr, "seeding failed with status %ld\n", status);
    return 1;
  }
  std::printf("%zu\n", settings.size());
  return 0;
}

int Walk() {
  const auto store = platform::OpenUserSettingsStore();
  const auto records = bmRegistry::ReadAllSettings(*store);
  if (!records) {
    std::fprintf(stderr, "the settings root cannot be opened\n");
    return 1;
  }
  std::printf("%zu\n", records->size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "seed") == 0) {
    return Seed(std::strtoul(argv[2], nullptr, 10));
  }
  if (argc == 2 && std::strcmp(argv[1], "walk") == 0) return Walk();
  std::fprintf(stderr, "usage: %s seed <values> | walk\n", argv[0]);
  return 2;
}
