#pragma once
// ShowError and LogError: the two ways a trapped failure is reported. Both build the
// same report text; ShowError beeps and shows it, LogError only appends it to the
// error log (which has no location unless ErrorLogPath is set, so it leaves no trace).
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "common/failure.h"

namespace basBase {

// The error log's path; empty for the life of the process unless a caller sets it.
extern std::string ErrorLogPath;

// Beep, log, exclamation box titled with the application's title, default pointer.
void ShowError(std::string_view label, const common::Failure& failure) noexcept;

// Only the log record, with the standard message of the failure's number.
void LogError(std::string_view label, const common::Failure& failure) noexcept;

// The report text (UTF-8), every line ended by CR LF.
std::string ErrorReportText(std::string_view label, std::int32_t number,
                            std::string_view message);

// The log record for a report at local time `when` (UTF-8).
std::string LogRecord(const std::tm& when, std::string_view reportText);

// The runtime's standard message for an error number.
std::string StandardMessage(std::int32_t number);

}  // namespace basBase
