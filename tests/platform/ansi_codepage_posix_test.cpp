#include <gtest/gtest.h>

#include <string>

#include "platform/ansi_codepage.h"
#include "platform/posix/code_set.h"
#include "support/big5_locale.h"

namespace {

using platform::posix::CodeSet;

// 中文 in Big5 and UTF-8; 許 (B3 5C) ends in the byte of "\".
constexpr std::string_view kChineseBig5 = "\xA4\xA4\xA4\xE5";
constexpr std::string_view kChineseUtf8 = "中文";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

TEST(CodeSetUtf8, ValidTextPassesBothWaysUnchanged) {
  const CodeSet utf8("UTF-8");
  const std::string text = "C:\\連線設定\\a b;=é𝄞";
  EXPECT_EQ(utf8.ToUtf8(text), text);
  EXPECT_EQ(utf8.FromUtf8(text), text);
}

TEST(CodeSetUtf8, EachInvalidByteBecomesOneReplacementCharacter) {
  const CodeSet utf8("UTF-8");
  const std::string r(kReplacement);
  EXPECT_EQ(utf8.ToUtf8("a\xFF"
                        "b"),
            "a" + r + "b");
  EXPECT_EQ(utf8.ToUtf8("\xC0\xAF"), r + r) << "overlong form";
  EXPECT_EQ(utf8.ToUtf8("\xED\xA0\x80"), r + r + r) << "surrogate";
  EXPECT_EQ(utf8.ToUtf8("x\xE4\xB8"), "x" + r + r) << "cut off at the end";
  EXPECT_EQ(utf8.ToUtf8(kChineseBig5), r + r + r + r) << "Big5 bytes read as UTF-8";
}

TEST(CodeSetUtf8, AsciiEmptyAndUnknownNamesAreTakenAsUtf8) {
  for (const char* name : {"", "ANSI_X3.4-1968", "ascii", "utf8", "no-such-codeset"}) {
    const CodeSet codeSet(name);
    EXPECT_EQ(codeSet.name(), "UTF-8") << name;
    EXPECT_EQ(codeSet.ToUtf8(kChineseUtf8), kChineseUtf8) << name;
  }
}

TEST(CodeSetUtf8, EveryCharacterIsOneByteLongForTheByteRules) {
  const CodeSet utf8("UTF-8");
  EXPECT_EQ(utf8.CharacterLength(kChineseUtf8, 0), 1u);
  EXPECT_EQ(utf8.CharacterLength("\\", 0), 1u);
}

TEST(CodeSetBig5, ConvertsBothWays) {
  const CodeSet big5("BIG5");
  EXPECT_EQ(big5.name(), "BIG5");
  EXPECT_EQ(big5.ToUtf8(kChineseBig5), kChineseUtf8);
  EXPECT_EQ(big5.FromUtf8(kChineseUtf8), kChineseBig5);
  EXPECT_EQ(big5.FromUtf8("許\\"), "\xB3\x5C\\");
}

TEST(CodeSetBig5, UndecodableBytesBecomeReplacementCharactersAndTheRestStays) {
  const CodeSet big5("BIG5");
  const std::string r(kReplacement);
  EXPECT_EQ(big5.ToUtf8("a\xFF"
                        "b"),
            "a" + r + "b");
  EXPECT_EQ(big5.ToUtf8("\xA4 \\"), r + " \\") << "a lead byte without its trail byte";
  EXPECT_EQ(big5.ToUtf8("\xA4\xA4\xA4"), "中" + r) << "lead byte cut off at the end";
}

TEST(CodeSetBig5, CharactersItCannotHoldBecomeOneQuestionMarkEach) {
  const CodeSet big5("BIG5");
  EXPECT_EQ(big5.FromUtf8("aé😀b"), "a??b");
  EXPECT_EQ(big5.FromUtf8("a\xFF"
                          "b"),
            "a?b")
      << "invalid UTF-8";
}

TEST(CodeSetBig5, LeadAndTrailBytesAreOneCharacter) {
  const CodeSet big5("BIG5");
  const std::string_view text =
      "\xB3\x5C"
      "a\\\xA4";
  EXPECT_EQ(big5.CharacterLength(text, 0), 2u) << "許 with trail byte \\";
  EXPECT_EQ(big5.CharacterLength(text, 2), 1u);
  EXPECT_EQ(big5.CharacterLength(text, 3), 1u);
  EXPECT_EQ(big5.CharacterLength(text, 4), 1u) << "lead byte cut off at the end";
}

TEST(CodeSetCp1252, SingleByteCodeSetHasNoLeadBytes) {
  const CodeSet cp1252("CP1252");
  EXPECT_EQ(cp1252.ToUtf8("caf\xE9 \x80"), "café €");
  EXPECT_EQ(cp1252.FromUtf8("café 中"), "caf\xE9 ?");
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const std::string text{static_cast<char>(byte), 'x'};
    EXPECT_EQ(cp1252.CharacterLength(text, 0), 1u) << byte;
  }
}

TEST(LocaleCodeSet, Utf8LocaleConvertsAsUtf8) {
  if (platform::posix::LocaleCodeSet().name() != "UTF-8") {
    GTEST_SKIP() << "the tests run under a " << platform::posix::LocaleCodeSet().name()
                 << " locale";
  }
  EXPECT_EQ(platform::AnsiToUtf8("中\xFF"), "中" + std::string(kReplacement));
  EXPECT_EQ(platform::Utf8ToAnsi("中"), "中");
  EXPECT_EQ(platform::CharacterLength("中", 0), 1u);
}

TEST(LocaleCodeSet, Big5LocaleIsTheAnsiCodePage) {
  if (!testing_support::UnderBig5Locale()) return;
  EXPECT_EQ(platform::AnsiToUtf8(kChineseBig5), kChineseUtf8);
  EXPECT_EQ(platform::Utf8ToAnsi(kChineseUtf8), kChineseBig5);
  EXPECT_EQ(platform::CharacterLength("\xB3\x5C", 0), 2u);
}

}  // namespace
