#include <memory>

#include "controls/win32/win32_grid.h"
#include "grid_contract.h"
#include "support/win32_host_window.h"

namespace grid_contract {

// The Win32 grid is tested on screen, in a window that reflects the list view's
// notifications to it as the tool's window does, so appending and fitting pay what a
// shown list view costs.
template <>
struct GridMaker<controls::Win32Grid> {
  static std::unique_ptr<controls::Win32Grid> Make() {
    static win32_testing::HostWindow host;
    auto grid = std::make_unique<controls::Win32Grid>(host.Handle(), 100, RECT{0, 0, 600, 400});
    win32_testing::HostWindow::Settle();
    return grid;
  }
  static void Settle(controls::Win32Grid&) { win32_testing::HostWindow::Settle(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, GridContract, controls::Win32Grid);

}  // namespace grid_contract
