#pragma once
// A file path in a folder of the target's own, for the targets that work on real files.
// The folder is made below $TMPDIR (scripts/fuzz.sh points it at a folder in memory,
// since the INI writer syncs every file it replaces, and removes it afterwards).
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"

inline std::string ScratchFile(std::string_view target, std::string_view fileName) {
  const char* base = std::getenv("TMPDIR");
  std::string folder = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/" +
                       std::string(target) + ".XXXXXX";
  FUZZ_CHECK(::mkdtemp(folder.data()) != nullptr);
  return folder + "/" + std::string(fileName);
}
