#pragma once
// A routine's trap: the body runs once; a failure anywhere in it skips the rest, is
// reported once with the routine's label, and the routine goes on at its exit point.
// Returns true when the body ran to its end.
#include <string_view>
#include <utility>

#include "common/error_report.h"
#include "common/failure.h"

namespace common {

template <class Body>
bool TrapShow(std::string_view label, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    basBase::ShowError(label, CurrentFailure());
    return false;
  }
}

template <class Body>
bool TrapLog(std::string_view label, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    basBase::LogError(label, CurrentFailure());
    return false;
  }
}

// Ignore-errors mode for one step: a failing step is skipped, nothing is reported.
template <class Step>
void Guarded(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
  } catch (...) {
  }
}

}  // namespace common
