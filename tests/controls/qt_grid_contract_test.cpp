#include <QApplication>

#include "controls/qt/qt_grid.h"
#include "grid_contract.h"

namespace grid_contract {

// The Qt grid is tested on screen, so appending pays whatever a visible view costs.
template <>
struct GridMaker<controls::QtGrid> {
  static std::unique_ptr<controls::QtGrid> Make() {
    auto grid = std::make_unique<controls::QtGrid>();
    grid->resize(600, 400);
    grid->show();
    return grid;
  }
  static void Settle(controls::QtGrid&) { QApplication::processEvents(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, GridContract, controls::QtGrid);

}  // namespace grid_contract
