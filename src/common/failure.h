#pragma once
// A failure is an error number of the classic runtime plus a description. Inside a
// routine it travels as one exception type to the routine's own trap (trap.h).
#include <cstdint>
#include <exception>
#include <string>

namespace common {

namespace err {
inline constexpr std::int32_t kInvalidArgument = 5;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kDeviceIo = 57;
inline constexpr std::int32_t kDiskFull = 61;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccess = 75;
inline constexpr std::int32_t kPathNotFound = 76;
}  // namespace err

struct Failure {
  std::int32_t number = 0;
  std::string description;
};

class FailureError : public std::exception {
 public:
  explicit FailureError(Failure failure) : failure_(std::move(failure)) {}
  const Failure& failure() const noexcept { return failure_; }
  const char* what() const noexcept override { return failure_.description.c_str(); }

 private:
  Failure failure_;
};

[[noreturn]] void Raise(std::int32_t number, std::string description);

// The failure behind the exception being handled: a FailureError as it is, memory
// exhaustion as 7, a file-system error by its errno, anything else as 5. Call only
// inside a catch block.
Failure CurrentFailure();

}  // namespace common
