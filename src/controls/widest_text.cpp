#include "controls/widest_text.h"

#include <algorithm>
#include <utility>

namespace controls {
namespace {

// How much wider than its estimate a whole text may come out: positive kerning and
// contextual forms add a pixel here and there, and the whole width is rounded. Shaping
// that makes a text narrower (negative kerning, combining marks) needs no allowance.
double Allowance(double estimate) {
  return 2 + estimate / 32;
}

bool IsSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}

}  // namespace

WidestText::WidestText(CharAdvance charAdvance, TextWidth textWidth)
    : charAdvance_(std::move(charAdvance)),
      textWidth_(std::move(textWidth)),
      advances_(0x10000, -1) {}

void WidestText::Add(int id, std::u16string_view text) {
  if (!text.empty()) candidates_.push_back({Estimate(text), id});
}

void WidestText::StartOver() {
  candidates_.clear();
  heaped_ = false;
}

double WidestText::Estimate(std::u16string_view text) {
  double sum = 0;
  for (const char16_t unit : text) {
    if (unit < 0x20 || IsSurrogate(unit)) return Whole(text);
    double& advance = advances_[unit];
    if (advance < 0) advance = charAdvance_(unit);
    sum += advance;
  }
  return sum;
}

int WidestText::Whole(std::u16string_view text) {
  auto found = measured_.find(text);
  if (found == measured_.end()) found = measured_.emplace(text, textWidth_(text)).first;
  return found->second;
}

const WidestText::Candidate* WidestText::NextCandidate(int widest) {
  constexpr auto byEstimate = [](const Candidate& a, const Candidate& b) {
    return a.estimate < b.estimate;
  };
  if (!heaped_) {
    std::make_heap(candidates_.begin(), candidates_.end(), byEstimate);
    heaped_ = true;
  }
  // Highest estimate first: once one cannot beat `widest`, none after it can.
  if (candidates_.empty() ||
      candidates_.front().estimate + Allowance(candidates_.front().estimate) <= widest) {
    return nullptr;
  }
  std::pop_heap(candidates_.begin(), candidates_.end(), byEstimate);
  taken_ = candidates_.back();
  candidates_.pop_back();
  return &taken_;
}

}  // namespace controls
