#pragma once
// The keyboard dialog's three entry points, the same steps for each: prepare the one
// dialog (title, message line, masking, starting text), place it bottom-right, show
// it modally, and hand back its text only when the user accepted. Standard C++ only:
// the dialog is reached through EntryForm.
#include <optional>
#include <string>
#include <string_view>

#include "common/place_bottom_right.h"

namespace keyboard {

// The dialog as the entry points drive it. Texts are UTF-8.
class EntryForm : public common::PlaceableForm {
 public:
  // Creates and loads the dialog unless it exists already.
  virtual void Load() = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void SetMessage(std::string_view message) = 0;
  virtual void SetDisplayFontSize(double points) = 0;
  // Masked, the display shows every character as "*"; its text stays the real text.
  virtual void SetMasked(bool masked) = 0;
  virtual void SetDisplayText(std::string_view text) = 0;
  virtual void ResetAccepted() = 0;
  // Shows the dialog modally with no owner; returns once it is hidden or closed.
  virtual void ShowModal() = 0;
  // False also when the user closed the dialog through its window frame.
  virtual bool Accepted() const = 0;
  virtual std::string DisplayText() const = 0;
};

inline constexpr std::string_view kEntryTitle = "英文數字輸入視窗";
inline constexpr std::string_view kPasswordTitle = "密碼輸入視窗";
inline constexpr std::string_view kPasswordMessage = "請輸入密碼..";
// The message line's text while the dialog loads; every entry point overwrites it.
inline constexpr std::string_view kLoadMessage = "英文/數字輸入視窗";
inline constexpr double kDisplayFontPoints = 24;

// Each returns true when the user accepted, and only then writes the display's text
// into `text`. A failure is reported under the entry point's label and gives false.
bool ShowInput(EntryForm& form, std::string& text, std::optional<std::string> defaultText);
// A non-empty header is both the window title and the message line.
bool ShowInput2(EntryForm& form, std::string& text, std::string_view header,
                std::optional<std::string> defaultText);
bool EnterPWD(EntryForm& form, std::string& text, std::optional<std::string> defaultText);

}  // namespace keyboard
