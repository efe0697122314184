// Settings files that the fuzz target fuzz/store_file_fuzzer.cpp found to be read into a
// tree the registry calls could not hand out whole. Each is now refused with its line.
#include <gtest/gtest.h>

#include <string>

#include "platform/reg_file.h"

namespace {

using platform::reg::Key;
using platform::reg::ParseError;
using platform::reg::ParseRegFile;

struct Refused {
  const char* what;
  std::string text;
  std::size_t line;
};

class RegFileFuzzFinding : public ::testing::TestWithParam<Refused> {};

TEST_P(RegFileFuzzFinding, IsRefusedWithItsLine) {
  Key tree(platform::reg::kCurrentUserName);
  ParseError error;
  EXPECT_FALSE(ParseRegFile(GetParam().text, tree, error));
  EXPECT_EQ(error.line, GetParam().line);
  EXPECT_NE(error.message.find("name holds a NUL or a carriage return"), std::string::npos)
      << error.message;
}

const std::string kHead = "REGEDIT4\r\n\r\n";
using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    NamesTheCallsCannotReturn, RegFileFuzzFinding,
    ::testing::Values(
        // Listed as "prog" by RegEnumKeyA, which then could not be opened by that name.
        Refused{"NulInKeyName", kHead + "[HKEY_CURRENT_USER\\Software\\prog\0ram]\r\n"s, 3},
        Refused{"NulInValueName", kHead + "[HKEY_CURRENT_USER\\a]\r\n\"lo\0ng\"=\"x\"\r\n"s, 4},
        Refused{"CarriageReturnInKeyName", kHead + "[HKEY_CURRENT_USER\\a\rb]\r\n", 3},
        Refused{"CarriageReturnInValueName", kHead + "[HKEY_CURRENT_USER\\a]\r\n\"a\rb\"=\"x\"\r\n",
                4}),
    [](const ::testing::TestParamInfo<Refused>& info) { return info.param.what; });

}  // namespace
