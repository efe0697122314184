#include "common/error_report.h"

#include <cstdio>
#include <memory>

#include "common/user_interface.h"
#include "platform/ansi_codepage.h"
#include "platform/paths.h"

namespace basBase {

std::string ErrorLogPath;

namespace {

void AppendToLog(std::string_view reportText) noexcept {
  try {
    if (ErrorLogPath.empty()) return;  // no location: nothing is written anywhere
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    const std::string record = platform::Utf8ToAnsi(LogRecord(local, reportText));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        std::fopen(platform::NativePath(ErrorLogPath).c_str(), "ab"), &std::fclose);
    if (file) std::fwrite(record.data(), 1, record.size(), file.get());
  } catch (...) {
    // A report never fails towards its caller: a log that cannot be written is skipped.
  }
}

}  // namespace

std::string ErrorReportText(std::string_view label, std::int32_t number,
                            std::string_view message) {
  std::string text = "處理程序: (";
  text += label;
  text += ")\r\n執行錯誤, 代碼: ";
  // The runtime writes a non-negative number with a leading blank where the sign goes.
  if (number >= 0) text += ' ';
  text += std::to_string(number);
  text += "\r\n訊息: \r\n     ";
  text += message;
  text += "\r\n\r\n";
  return text;
}

std::string LogRecord(const std::tm& when, std::string_view reportText) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d, %02d:%02d:%02d ", (when.tm_year + 1900) % 100,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  std::string record = "**記錄時間 - ";
  record += stamp;
  record += "\r\n";
  record += reportText;
  return record;
}

std::string StandardMessage(std::int32_t number) {
  switch (number) {
    case 3: return "Return without GoSub";
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 67: return "Too many files";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 71: return "Disk not ready";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    default: return "Application-defined or object-defined error";
  }
}

void ShowError(std::string_view label, const common::Failure& failure) noexcept {
  try {
    auto& ui = common::Ui();
    ui.Beep();
    const std::string text = ErrorReportText(label, failure.number, failure.description);
    AppendToLog(text);
    ui.MessageBox(text, common::Buttons::kOk, common::Icon::kExclamation, common::kAppTitle);
    ui.SetBusyPointer(false);
  } catch (...) {
    // Nothing of a report reaches its caller.
  }
}

void LogError(std::string_view label, const common::Failure& failure) noexcept {
  try {
    AppendToLog(ErrorReportText(label, failure.number, StandardMessage(failure.number)));
    common::NoteLoggedFailure(failure.description);
  } catch (...) {
  }
}

}  // namespace basBase
