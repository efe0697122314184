#include "platform/ansi_codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "support/big5_locale.h"

namespace {

using platform::AnsiToUtf8;
using platform::CharacterLength;
using platform::Utf8ToAnsi;

// "功" is A5 5C in code page 950 (Big5): its trail byte is a backslash.
bool AnsiIsBig5() { return Utf8ToAnsi("功") == "\xA5\x5C"; }

TEST(AnsiCodePage, AsciiAndEmbeddedNulsPassBothWaysUnchanged) {
  using namespace std::string_literals;
  const std::string ascii = "Software\\VB and VBA|a,b\r\n\t\0end"s;  // NUL included
  EXPECT_EQ(Utf8ToAnsi(ascii), ascii);
  EXPECT_EQ(AnsiToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToAnsi(""), "");
  EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(AnsiCodePage, ChineseTextSurvivesTheRoundTrip) {
  const std::string text = "系統設定工具 連線設定 功能";
  const std::string ansi = Utf8ToAnsi(text);
  if (ansi.find('?') != std::string::npos) GTEST_SKIP() << "the ANSI code page has no Chinese";
  EXPECT_EQ(AnsiToUtf8(ansi), text);
}

TEST(AnsiCodePage, AnUndecodableByteBecomesAReplacementAndTheTextAfterItSurvives) {
  // A5 is a lead byte in Big5 and a continuation byte in UTF-8; "0" can follow neither.
  EXPECT_EQ(AnsiToUtf8("a\xA5" "0b"), "a\xEF\xBF\xBD" "0b");
  EXPECT_EQ(AnsiToUtf8("ab\xA5"), "ab\xEF\xBF\xBD");
}

TEST(AnsiCodePage, CharacterLengthStepsOverWholeDoubleByteCharacters) {
  EXPECT_EQ(CharacterLength("a\\", 0), 1u);
  EXPECT_EQ(CharacterLength("a\\", 1), 1u);
  if (!testing_support::UnderBig5Locale()) return;
  if (!AnsiIsBig5()) GTEST_SKIP() << "not a double-byte code page";
  const std::string name = Utf8ToAnsi("功\\能");  // A5 5C 5C AF E0
  EXPECT_EQ(CharacterLength(name, 0), 2u);
  EXPECT_EQ(CharacterLength(name, 2), 1u);
  EXPECT_EQ(CharacterLength(name, 3), 2u);
  EXPECT_EQ(CharacterLength("a\xA5", 1), 1u) << "a lead byte cut off at the end";
}

}  // namespace
