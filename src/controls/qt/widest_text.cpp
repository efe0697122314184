#include "controls/qt/widest_text.h"

#include <algorithm>

namespace controls {
namespace {

// How much wider than its estimate a shaped text may come out: positive kerning and
// contextual forms add a pixel here and there, and the shaped width is rounded. Shaping
// that makes a text narrower (negative kerning, combining marks) needs no allowance.
qreal Allowance(qreal estimate) {
  return 2 + estimate / 32;
}

}  // namespace

WidestText::WidestText(const QFont& font)
    : metrics_(font), fractional_(font), charAdvance_(0x10000, -1) {}

void WidestText::Add(int id, const QString& text) {
  if (!text.isEmpty()) candidates_.push_back({Estimate(text), id});
}

qreal WidestText::Estimate(const QString& text) {
  qreal sum = 0;
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.isSurrogate()) return Shaped(text);
    qreal& advance = charAdvance_[c.unicode()];
    if (advance < 0) advance = fractional_.horizontalAdvance(c);
    sum += advance;
  }
  return sum;
}

int WidestText::Shaped(const QString& text) {
  auto found = shaped_.constFind(text);
  if (found == shaped_.cend()) found = shaped_.insert(text, metrics_.horizontalAdvance(text));
  return *found;
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
