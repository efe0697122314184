// The shared routines under a double-byte ANSI code page (Big5, as code page 950).
#include <gtest/gtest.h>

#include "common/basbase.h"
#include "support/big5_locale.h"
#include "support/scripted_ui.h"

namespace {

using basBase::WithTrailing;

// 許 is B3 5C: its trail byte is the byte of "\".
constexpr const char* kXu = "\xB3\x5C";

TEST(WithTrailingBig5, ADoubleByteCharacterEndingInTheBackslashByteIsNoSeparator) {
  if (!testing_support::UnderBig5Locale()) return;
  const std::string folder = std::string("C:\\") + kXu;
  EXPECT_EQ(WithTrailing(folder, "\\"), folder + "\\");
  EXPECT_EQ(WithTrailing(folder + "\\", "\\"), folder + "\\");
  EXPECT_EQ(WithTrailing(folder, kXu), folder) << "the separator 許 is one character";
}

TEST(BrowseForFolderBig5, TheChosenFolderComesBackInTheAnsiCodePage) {
  if (!testing_support::UnderBig5Locale()) return;
  testing_support::ScriptedUi ui;
  ui.QueueFolder("C:\\許");
  EXPECT_EQ(basComDlg::BrowseForFolder(), std::string("C:\\") + kXu);
}

}  // namespace
