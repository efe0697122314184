#include "common/place_bottom_right.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/failure.h"

namespace {

// A window on a fixed screen that records where it was put; any of its reads can be
// made to fail.
class FakeForm : public common::PlaceableForm {
 public:
  int ScreenWidth() const override { return Read(screenWidth, failScreenWidth); }
  int ScreenHeight() const override { return Read(screenHeight, false); }
  int OuterWidth() const override { return Read(width, false); }
  int OuterHeight() const override { return Read(height, failHeight); }
  void SetLeft(int twips) override { left = twips; }
  void SetTop(int twips) override { top = twips; }

  int screenWidth = 19200, screenHeight = 14400, width = 10650, height = 6400;
  bool failScreenWidth = false, failHeight = false;
  std::optional<int> left, top;

 private:
  static int Read(int value, bool fail) {
    if (fail) common::Raise(common::err::kInvalidArgument, "no screen");
    return value;
  }
};

TEST(PlaceBottomRight, RightEdgeOnTheScreenEdgeBottomEdge375TwipsAboveIt) {
  FakeForm form;
  basBase::PlaceBottomRight(form);
  EXPECT_EQ(form.left, 8550);
  EXPECT_EQ(form.top, 7625);
}

TEST(PlaceBottomRight, AFailingStepIsSkippedAndTheOtherStillRuns) {
  FakeForm noWidth;
  noWidth.failScreenWidth = true;
  basBase::PlaceBottomRight(noWidth);
  EXPECT_FALSE(noWidth.left.has_value());
  EXPECT_EQ(noWidth.top, 7625);

  FakeForm noHeight;
  noHeight.failHeight = true;
  basBase::PlaceBottomRight(noHeight);
  EXPECT_EQ(noHeight.left, 8550);
  EXPECT_FALSE(noHeight.top.has_value());
}

}  // namespace
