#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"

namespace {

TEST(ComputerName, IsTheWholeNameWhenTheBufferHoldsItAndItsNul) {
  const auto name = platform::ComputerName(255);
  ASSERT_TRUE(name.has_value());
  ASSERT_FALSE(name->empty());
  EXPECT_EQ(name->find('\0'), std::string::npos);
  const auto capacity = static_cast<unsigned>(name->size());
  EXPECT_EQ(platform::ComputerName(capacity + 1), name);
  EXPECT_EQ(platform::ComputerName(capacity), std::nullopt) << "no room for the NUL";
  EXPECT_EQ(platform::ComputerName(0), std::nullopt);
}

TEST(ProgramFolder, IsTheFolderOfThisTestProgram) {
  const std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_NE(folder.back(), '/');
  const bool holdsProgram =
      platform::QueryPath(folder + "/platform_tests") == platform::PathKind::kFile ||
      platform::QueryPath(folder + "\\platform_tests.exe") == platform::PathKind::kFile;
  EXPECT_TRUE(holdsProgram) << folder;
}

}  // namespace
