#include "common/place_bottom_right.h"

#include "common/trap.h"

namespace basBase {

void PlaceBottomRight(common::PlaceableForm& form) noexcept {
  common::Guarded([&] { form.SetLeft(form.ScreenWidth() - form.OuterWidth()); });
  common::Guarded([&] { form.SetTop(form.ScreenHeight() - form.OuterHeight() - kBottomGapTwips); });
}

}  // namespace basBase
