// Runs the tests with a Big5 (code page 950) locale, made for this run in a folder of
// its own, so no locale needs to be installed on the machine.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const testing_support::TempDir locales;
  const std::string command =
      "localedef -i zh_TW -f BIG5 '" + locales.file("zh_TW.BIG5") + "' >/dev/null 2>&1";
  // localedef may complain about the definition and still write it; what counts is
  // whether the locale can then be set.
  [[maybe_unused]] const int ignored = std::system(command.c_str());
  ::setenv("LOCPATH", locales.path().c_str(), 1);
  std::setlocale(LC_ALL, "zh_TW.BIG5");
  return RUN_ALL_TESTS();
}
