#pragma once
// The on-screen keyboard dialog's entry points as its callers see them. Each returns
// true when the user accepted, and only then writes the entered text (UTF-8) into
// `text`; a default, when given, is the display's starting content.
#include <optional>
#include <string>
#include <string_view>

#include "keyboard/default_text.h"

namespace keyboard {

class TextEntryDialog {
 public:
  virtual ~TextEntryDialog() = default;
  virtual bool ShowInput(std::string& text, std::optional<std::string> defaultText = {}) = 0;
  virtual bool ShowInput2(std::string& text, std::string_view header,
                          std::optional<std::string> defaultText = {}) = 0;
  virtual bool EnterPWD(std::string& text, std::optional<std::string> defaultText = {}) = 0;

  // A number or a Boolean as the default starts the display with its text.
  template <NumericDefault T>
  bool ShowInput(std::string& text, T defaultValue) {
    return ShowInput(text, std::optional<std::string>(DefaultText(defaultValue)));
  }
  template <NumericDefault T>
  bool ShowInput2(std::string& text, std::string_view header, T defaultValue) {
    return ShowInput2(text, header, std::optional<std::string>(DefaultText(defaultValue)));
  }
  template <NumericDefault T>
  bool EnterPWD(std::string& text, T defaultValue) {
    return EnterPWD(text, std::optional<std::string>(DefaultText(defaultValue)));
  }
};

}  // namespace keyboard
