#pragma once
// PlaceBottomRight: puts a window in the bottom-right corner of the screen, its right
// edge on the screen's right edge and its bottom edge 375 twips above the screen's
// bottom edge. Standard C++ only; a window toolkit implements PlaceableForm.
namespace common {

// A top-level window as PlaceBottomRight sees it. All sizes and positions are in
// twips (15 per device-independent pixel); the window's size includes its frame.
class PlaceableForm {
 public:
  virtual ~PlaceableForm() = default;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int OuterWidth() const = 0;
  virtual int OuterHeight() const = 0;
  virtual void SetLeft(int twips) = 0;
  virtual void SetTop(int twips) = 0;
};

}  // namespace common

namespace basBase {

// The gap between the window's bottom edge and the screen's bottom edge.
inline constexpr int kBottomGapTwips = 375;

// Each of the two moves is attempted on its own: a step that fails is skipped and
// nothing is reported, so the window stays where that step would have moved it from.
void PlaceBottomRight(common::PlaceableForm& form) noexcept;

}  // namespace basBase
