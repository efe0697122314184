#include "keyboard/key_handling.h"

#include <string>

#include "common/failure.h"
#include "common/trap.h"

namespace keyboard {
namespace {

// The display may hold a default with non-ASCII text: removing the last character
// takes all the bytes of its UTF-8 sequence, never half of one.
std::string WithoutLastCharacter(std::string text) {
  if (text.empty()) return text;
  std::size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  text.erase(start);
  return text;
}

std::string DigitKeyText(int index) {
  if (index == kDoubleZeroIndex) return "00";
  if (index < 0 || index > 9) {
    common::Raise(common::err::kSubscriptOutOfRange,
                  "No digit key has the index " + std::to_string(index) + ".");
  }
  return std::to_string(index);
}

}  // namespace

void KeyHandling::Append(std::string_view text) {
  pad_.SetDisplayText(pad_.DisplayText().append(text));
}

void KeyHandling::RemoveLast() {
  std::string text = pad_.DisplayText();
  if (text.empty()) return;
  pad_.SetDisplayText(WithoutLastCharacter(std::move(text)));
}

void KeyHandling::Clear() {
  pad_.SetDisplayText("");
}

// A second Accept (Enter gives a key-down and a character) changes nothing more.
void KeyHandling::Accept() {
  accepted_ = true;
  pad_.HideDialog();
}

void KeyHandling::Cancel() {
  pad_.HideDialog();
}

void KeyHandling::cmdAlpha_Click(int index) noexcept {
  common::Guarded([&] { Append(pad_.AlphaCaption(index)); });
  common::Guarded([&] { pad_.FocusAcceptKey(); });
}

void KeyHandling::cmdNum_Click(int index) noexcept {
  common::Guarded([&] { Append(DigitKeyText(index)); });
  common::Guarded([&] { pad_.FocusAcceptKey(); });
}

void KeyHandling::cmdBack_Click() noexcept {
  common::TrapShow("frmNumKey_cmdBack_Click", [&] { RemoveLast(); });
}

// A failure here is reported like the other keys' failures rather than ending the
// program.
void KeyHandling::cmdDel_Click() noexcept {
  common::TrapShow("frmNumKey_cmdDel_Click", [&] { Clear(); });
}

void KeyHandling::cmdEnter_Click() noexcept {
  common::TrapShow("frmNumKey_cmdEnter_Click", [&] { Accept(); });
}

void KeyHandling::cmdExit_Click() noexcept {
  common::TrapShow("frmNumKey_cmdExit_Click", [&] { Cancel(); });
}

// The shift state plays no part: Shift, Ctrl or Alt with these keys act the same.
void KeyHandling::Form_KeyDown(int keyCode) noexcept {
  common::TrapShow("frmNumKey_Form_KeyDown", [&] {
    switch (keyCode) {
      case key::kEscape:
        Cancel();
        break;
      case key::kDelete:
      case key::kKeypadDecimal:
        Clear();
        break;
      case key::kReturn:
        cmdEnter_Click();
        break;
      default:
        break;
    }
  });
}

// Typed "-" and "0" are plain characters here: "-" and "00" come only from the
// on-screen keys. Only the carriage return is kept from the focused control.
void KeyHandling::Form_KeyPress(int& charCode) noexcept {
  common::TrapShow("frmNumKey_Form_KeyPress", [&] {
    if (charCode == key::kReturn) {
      charCode = 0;
      cmdEnter_Click();
    } else if (charCode >= '0' && charCode <= '?') {
      Append(std::string(1, static_cast<char>(charCode)));
    } else if (charCode >= 'a' && charCode <= 'z') {
      Append(std::string(1, static_cast<char>(charCode - ('a' - 'A'))));
    } else if (charCode >= 'A' && charCode <= 'Z') {
      Append(std::string(1, static_cast<char>(charCode)));
    } else if (charCode == key::kBackspace) {
      RemoveLast();
    }
  });
}

void KeyHandling::Click(layout::KeyKind kind, int index) noexcept {
  switch (kind) {
    case layout::KeyKind::kLetter:
      return cmdAlpha_Click(index);
    case layout::KeyKind::kDigit:
      return cmdNum_Click(index);
    case layout::KeyKind::kBack:
      return cmdBack_Click();
    case layout::KeyKind::kExit:
      return cmdExit_Click();
    case layout::KeyKind::kEnter:
      return cmdEnter_Click();
    case layout::KeyKind::kDelete:
      return cmdDel_Click();
  }
}

}  // namespace keyboard
