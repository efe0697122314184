#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/system_info.h"

namespace {

// Wine hands its Unix environment to Windows programs; the test run always names its
// own prefix, and Windows knows no such variable.
TEST(RunningUnderWine, AgreesWithTheWinePrefixOfTheTestRun) {
  EXPECT_EQ(platform::RunningUnderWine(), std::getenv("WINEPREFIX") != nullptr);
}

}  // namespace
