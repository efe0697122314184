#include "bench/shown_window.h"

#include <QApplication>

namespace bench {

fmRegTool& ShownWindow() {
  static fmRegTool* window = [] {
    auto* made = new fmRegTool();  // lives as long as the application
    made->show();
    SettleWindow(*made);
    return made;
  }();
  return *window;
}

void SettleWindow(fmRegTool& window) {
  QApplication::processEvents();
  window.repaint();
}

}  // namespace bench
