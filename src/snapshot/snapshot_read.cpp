// Showing a snapshot file in the grid.
#include "common/trap.h"
#include "common/user_interface.h"
#include "snapshot/bmregistry.h"
#include "snapshot/record_cells.h"
#include "snapshot/snapshot_lines.h"

namespace bmRegistry {

bool LoadRegistryToFG(controls::Grid& grid, std::string_view path) {
  bool result = false;
  common::TrapShow("frmReg_LoadRegistryToFG", [&] {
    const auto file = LocateSnapshot(path);
    if (!file) return;
    common::BusyPointer busy;
    grid.SetRows(grid.FixedRows());
    try {
      SnapshotLineReader reader(*file, "Nothing is shown.");
      std::string line;
      while (reader.Next(line)) grid.AddItem(DecodeCells(SplitCells(line, ",")));
    } catch (...) {
      // A file refused part way shows none of its rows, as a restore takes none.
      grid.SetRows(grid.FixedRows());
      throw;
    }
    result = true;
  });
  return result;
}

}  // namespace bmRegistry
