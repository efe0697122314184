#pragma once
// The tool's main window, shown, for the benchmarks that fill its grid: the real fgList
// with the window's fonts, set-up and page layout.
#include "app/qt/fm_reg_tool.h"

namespace bench {

// Made and shown on first use, then kept for the run.
fmRegTool& ShownWindow();

// Runs the events a filled grid leaves behind (layout, the scroll range, one paint), as
// the event loop would before the user sees the rows.
void SettleWindow(fmRegTool& window);

}  // namespace bench
