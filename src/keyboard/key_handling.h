#pragma once
// What every key of the keyboard dialog does, on screen and on the physical keyboard.
// The keys edit one text, the display's, always at its end, and end the dialog by
// accepting or cancelling. Standard C++ only: the dialog's window is reached through
// KeyPad, so the same handlers run under any window toolkit and in tests.
#include <string>
#include <string_view>

#include "keyboard/anumkey_layout.h"

namespace keyboard {

// The parts of the dialog's window that the keys touch. Texts are UTF-8.
class KeyPad {
 public:
  virtual ~KeyPad() = default;
  virtual std::string DisplayText() const = 0;
  virtual void SetDisplayText(std::string_view text) = 0;
  // The caption of the letter key with that index; fails for an index with no key.
  virtual std::string AlphaCaption(int index) const = 0;
  virtual void FocusAcceptKey() = 0;
  // Hides the dialog, which ends its modal show.
  virtual void HideDialog() = 0;
};

// Key codes of the physical keyboard that the dialog acts on.
namespace key {
inline constexpr int kBackspace = 8;
inline constexpr int kReturn = 13;
inline constexpr int kEscape = 27;
inline constexpr int kDelete = 46;
inline constexpr int kKeypadDecimal = 110;
}  // namespace key

// The index of the "00" key among the digit keys.
inline constexpr int kDoubleZeroIndex = 10;

class KeyHandling {
 public:
  explicit KeyHandling(KeyPad& pad) : pad_(pad) {}

  bool Accepted() const { return accepted_; }
  // Every show of the dialog starts as not accepted.
  void ResetAccepted() { accepted_ = false; }

  // On-screen keys.
  void cmdAlpha_Click(int index) noexcept;
  void cmdNum_Click(int index) noexcept;
  void cmdBack_Click() noexcept;
  void cmdDel_Click() noexcept;
  void cmdEnter_Click() noexcept;
  void cmdExit_Click() noexcept;

  // The physical keyboard, seen before the focused control sees it. KeyDown takes
  // the key's code; KeyPress the typed character's code, which it sets to 0 when the
  // character must not reach the focused control.
  void Form_KeyDown(int keyCode) noexcept;
  void Form_KeyPress(int& charCode) noexcept;

  // A press of the on-screen key of that kind and index, as the layout names it.
  void Click(layout::KeyKind kind, int index) noexcept;

 private:
  void Append(std::string_view text);
  void RemoveLast();
  void Clear();
  void Accept();
  void Cancel();

  KeyPad& pad_;
  bool accepted_ = false;
};

}  // namespace keyboard
