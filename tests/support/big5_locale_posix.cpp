#include "support/big5_locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace testing_support {
namespace {

constexpr const char* kChildMarker = "REGTOOL_TEST_BIG5_CHILD";

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

}  // namespace

bool UnderBig5Locale() {
  if (std::getenv(kChildMarker) != nullptr) return true;
  const TempDir dir;
  const std::string generate =
      "localedef -i zh_TW -f BIG5 " + Quoted(dir.path() / "zh_TW.BIG5") + " >/dev/null 2>&1";
  if (std::system(generate.c_str()) != 0) {
    ADD_FAILURE() << "localedef could not build zh_TW.BIG5 (package locales)";
    return false;
  }
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto output = dir.path() / "child.log";
  const std::string child = "LOCPATH=" + Quoted(dir.path()) + " LC_ALL=zh_TW.BIG5 " + kChildMarker +
                            "=1 " + Quoted(std::filesystem::read_symlink("/proc/self/exe")) +
                            " --gtest_filter=" + test->test_suite_name() + "." + test->name() +
                            " >" + Quoted(output) + " 2>&1";
  const int status = std::system(child.c_str());
  const std::string log = ReadBytes(output);
  EXPECT_EQ(status, 0) << log;
  EXPECT_NE(log.find("[  PASSED  ] 1 test."), std::string::npos) << log;
  return false;
}

}  // namespace testing_support
