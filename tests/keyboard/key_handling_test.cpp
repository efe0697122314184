#include "keyboard/key_handling.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "common/error_report.h"
#include "common/failure.h"
#include "support/scripted_ui.h"

namespace {

using keyboard::KeyHandling;
using testing_support::ScriptedUi;

constexpr int kFailureNumber = 57;

// The dialog's window reduced to what the keys touch; each part can be made to fail.
class FakePad : public keyboard::KeyPad {
 public:
  FakePad() {
    for (int index = 1; index <= 26; ++index) captions[index] = std::string(1, 'A' + index - 1);
    captions[30] = "-";
  }
  std::string DisplayText() const override { return text; }
  void SetDisplayText(std::string_view newText) override {
    if (failSet) common::Raise(kFailureNumber, "display refused");
    text = newText;
  }
  std::string AlphaCaption(int index) const override {
    const auto found = captions.find(index);
    if (found == captions.end()) common::Raise(common::err::kSubscriptOutOfRange, "no key");
    return found->second;
  }
  void FocusAcceptKey() override { ++focusMoves; }
  void HideDialog() override {
    if (failHide) common::Raise(kFailureNumber, "display refused");
    shown = false;
  }

  std::map<int, std::string> captions;
  std::string text;
  int focusMoves = 0;
  bool shown = true;
  bool failSet = false, failHide = false;
};

class KeysTest : public ::testing::Test {
 protected:
  // Types each character of `text` on the physical keyboard.
  void Type(std::string_view text) {
    for (const char c : text) {
      int code = static_cast<unsigned char>(c);
      keys.Form_KeyPress(code);
    }
  }
  // The box of the last failure, checked against the handler's label.
  void ExpectLastReportedAs(std::string_view label) {
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.boxes().back().text,
              basBase::ErrorReportText(label, kFailureNumber, "display refused"));
  }

  ScriptedUi ui;  // fails the test on any box not expected
  FakePad pad;
  KeyHandling keys{pad};
};

TEST_F(KeysTest, AKeyStepThatFailsIsSkippedSilentlyAndTheFocusStillMoves) {
  keys.cmdAlpha_Click(27);  // no such letter key
  keys.cmdNum_Click(11);    // no such digit key
  pad.failSet = true;
  keys.cmdAlpha_Click(1);
  keys.cmdNum_Click(1);
  EXPECT_EQ(pad.text, "");
  EXPECT_EQ(pad.focusMoves, 4);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(KeysTest, EachOfTheElevenDigitKeysTypesItsOwnDigits) {
  // By key index; the eleventh key is the double zero.
  const std::string_view typedBy[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "00"};
  static_assert(std::size(typedBy) == std::size_t{keyboard::kDoubleZeroIndex} + 1);
  for (int index = 0; index <= keyboard::kDoubleZeroIndex; ++index) {
    pad.text = "A";
    keys.cmdNum_Click(index);
    EXPECT_EQ(pad.text, "A" + std::string(typedBy[index])) << "digit key " << index;
  }
  EXPECT_EQ(pad.focusMoves, 11);
}

TEST_F(KeysTest, RemovingTheLastCharacterTakesAllOfItsBytes) {
  pad.text = "伺服器é";
  keys.cmdBack_Click();
  EXPECT_EQ(pad.text, "伺服器");
  int backspace = keyboard::key::kBackspace;
  keys.Form_KeyPress(backspace);
  EXPECT_EQ(pad.text, "伺服");
  pad.text = "A😀";
  keys.cmdBack_Click();
  EXPECT_EQ(pad.text, "A");
}

TEST_F(KeysTest, AcceptHidesTheDialogAsAcceptedAndASecondAcceptChangesNothing) {
  pad.text = "X";
  keys.cmdEnter_Click();
  EXPECT_TRUE(keys.Accepted());
  EXPECT_FALSE(pad.shown);
  keys.cmdEnter_Click();
  EXPECT_TRUE(keys.Accepted());
  EXPECT_FALSE(pad.shown);
  EXPECT_EQ(pad.text, "X");
}

TEST_F(KeysTest, TheEnterKeyAcceptsOnKeyDownAndSwallowsItsCarriageReturn) {
  keys.Form_KeyDown(keyboard::key::kReturn);
  EXPECT_TRUE(keys.Accepted());
  EXPECT_FALSE(pad.shown);

  keys.ResetAccepted();
  pad.shown = true;
  int carriageReturn = keyboard::key::kReturn;
  keys.Form_KeyPress(carriageReturn);
  EXPECT_EQ(carriageReturn, 0);
  EXPECT_TRUE(keys.Accepted());
  EXPECT_FALSE(pad.shown);
}

TEST_F(KeysTest, OnKeyDownOnlyEscapeDeleteTheKeypadPointAndEnterAct) {
  pad.text = "AB";
  for (const int keyCode : {0, 8, 32, 65, 109, 190}) keys.Form_KeyDown(keyCode);
  EXPECT_EQ(pad.text, "AB");
  EXPECT_TRUE(pad.shown);
  keys.Form_KeyDown(keyboard::key::kKeypadDecimal);
  EXPECT_EQ(pad.text, "");
  pad.text = "AB";
  keys.Form_KeyDown(keyboard::key::kDelete);
  EXPECT_EQ(pad.text, "");
  keys.Form_KeyDown(keyboard::key::kEscape);
  EXPECT_FALSE(pad.shown);
  EXPECT_FALSE(keys.Accepted());
}

TEST_F(KeysTest, TypedLettersBecomeCapitalsAndDigitsAndColonToQuestionMarkStay) {
  Type("ab?1");
  EXPECT_EQ(pad.text, "AB?1");
  pad.text.clear();
  Type("0123456789:;<=>?azAZ");
  EXPECT_EQ(pad.text, "0123456789:;<=>?AZAZ");
  EXPECT_EQ(pad.focusMoves, 0);
}

TEST_F(KeysTest, EveryOtherTypedCharacterIsIgnoredAndPassedOnUnchanged) {
  pad.text = "A";
  for (int code : std::initializer_list<int>{32, '-', '.', '/', '@', '[', '`', '{', '~', 127, 9, 27,
                                             0, 0xE9, 0x4F3A}) {
    const int typed = code;
    keys.Form_KeyPress(code);
    EXPECT_EQ(code, typed);
  }
  int letter = 'q';
  keys.Form_KeyPress(letter);
  EXPECT_EQ(letter, 'q');
  EXPECT_EQ(pad.text, "AQ");
  EXPECT_TRUE(pad.shown);
}

TEST_F(KeysTest, AFailingEditIsReportedOnceUnderItsHandlersLabelAndTheDisplayStays) {
  const std::pair<std::string_view, std::function<void()>> handlers[] = {
      {"frmNumKey_cmdBack_Click", [&] { keys.cmdBack_Click(); }},
      {"frmNumKey_cmdDel_Click", [&] { keys.cmdDel_Click(); }},
      {"frmNumKey_Form_KeyDown", [&] { keys.Form_KeyDown(keyboard::key::kDelete); }},
      {"frmNumKey_Form_KeyPress", [&] { Type("\b"); }},
  };
  pad.text = "AB";
  pad.failSet = true;
  for (const auto& [label, handler] : handlers) {
    ui.ExpectBox();
    handler();
    ExpectLastReportedAs(label);
  }
  EXPECT_EQ(ui.boxes().size(), 4u);
  EXPECT_EQ(pad.text, "AB");
  EXPECT_TRUE(pad.shown);
}

TEST_F(KeysTest, AFailingAcceptOrCancelIsReportedOnceByItsKeyEvenFromTheKeyboard) {
  pad.failHide = true;
  ui.ExpectBox();
  keys.cmdExit_Click();
  ExpectLastReportedAs("frmNumKey_cmdExit_Click");
  ui.ExpectBox();
  int carriageReturn = keyboard::key::kReturn;
  keys.Form_KeyPress(carriageReturn);
  ExpectLastReportedAs("frmNumKey_cmdEnter_Click");
  EXPECT_EQ(carriageReturn, 0);
  EXPECT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(pad.shown);
}

}  // namespace
