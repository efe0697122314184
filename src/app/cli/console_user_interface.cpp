#include "app/cli/console_user_interface.h"

#include <ostream>
#include <string>

namespace app {

std::string ConsoleText(std::string_view utf8) {
  std::string lines;
  lines.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
    if (utf8[pos] == '\r' && pos + 1 < utf8.size() && utf8[pos + 1] == '\n') continue;
    lines += utf8[pos];
  }
  return lines;
}

ConsoleUserInterface::ConsoleUserInterface(std::ostream& err, bool answerYes)
    : err_(err), answerYes_(answerYes) {
  common::InstallUserInterface(this);
}

ConsoleUserInterface::~ConsoleUserInterface() {
  common::InstallUserInterface(nullptr);
}

common::Answer ConsoleUserInterface::MessageBox(std::string_view text, common::Buttons buttons,
                                                common::Icon, std::string_view) {
  // An error report ends in blank lines of its own; one line end closes every box.
  std::string shown(text);
  while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
  if (buttons != common::Buttons::kYesNo) {
    err_ << ConsoleText(shown) << '\n';
    return common::Answer::kOk;
  }
  if (!questionSubject_.empty()) shown = questionSubject_ + ": " + shown;
  err_ << ConsoleText(shown) << (answerYes_ ? " Yes (--yes)\n" : " No (--yes answers Yes)\n");
  return answerYes_ ? common::Answer::kYes : common::Answer::kNo;
}

void ConsoleUserInterface::FailureLogged(std::string_view description) {
  loggedFailure_ = description;
}

}  // namespace app
